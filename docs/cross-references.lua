-- Cross references in the manual: [text](#identifier) names a heading.
--
-- Each becomes \hyperref to that heading's label, so that it lands on the heading itself:
-- pandoc's own link target sits just before the heading, which for a chapter is the foot of the
-- page before. A link to an identifier that no heading has stops the build, since LaTeX would
-- only leave it dead.
function Pandoc(doc)
  local headings = {}
  doc:walk({
    Header = function(header)
      headings[header.identifier] = true
    end,
  })
  local missing = {}
  doc = doc:walk({
    Link = function(link)
      local id = link.target:match('^#(.+)$')
      if id == nil then
        return nil
      end
      if not headings[id] then
        table.insert(missing, link.target)
        return nil
      end
      local inlines = pandoc.List({pandoc.RawInline('latex', '\\hyperref[' .. id .. ']{')})
      inlines:extend(link.content)
      inlines:insert(pandoc.RawInline('latex', '}'))
      return inlines
    end,
  })
  if #missing > 0 then
    error('cross reference to no heading: ' .. table.concat(missing, ', '))
  end
  return doc
end
