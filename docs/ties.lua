-- Spaces that must not end a line in running text: before a percent sign ("5 %") and on either
-- side of an operator written between words or numbers ("n − 1", "n = 3", "n ≤ 14"). Each
-- becomes a no-break space, as a LaTeX author would write ~.
local operators = {['−'] = true, ['='] = true, ['≤'] = true, ['≥'] = true, ['±'] = true,
                   ['×'] = true, ['<'] = true, ['>'] = true}

local function tied(before, after)
  if before == nil or after == nil or before.t ~= 'Str' or after.t ~= 'Str' then
    return false
  end
  return after.text:sub(1, 1) == '%' or operators[after.text] or operators[before.text]
end

function Inlines(inlines)
  for i = 2, #inlines - 1 do
    if inlines[i].t == 'Space' and tied(inlines[i - 1], inlines[i + 1]) then
      inlines[i] = pandoc.Str('\u{A0}')
    end
  end
  return inlines
end
