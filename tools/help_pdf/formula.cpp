#include "formula.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPathStroker>
#include <algorithm>
#include <optional>

namespace helppdf {
namespace {

// TeX's classes of atoms; the class of two neighbours decides the space between them.
enum class Atom { Ord, Op, Bin, Rel, Open, Close, Punct, Inner };

// How a fraction sizes its parts: by the surrounding style (\frac), always full size
// (\dfrac) or always reduced (\tfrac).
enum class FractionSize { ByStyle, Full, Reduced };

struct Node {
    enum class Kind { Symbol, Text, Group, Fraction, Root, Scripts, Delimited, Space };
    Kind kind = Kind::Symbol;
    QString text;  // Symbol, Text
    Atom atom = Atom::Ord;
    bool italic = false;
    qreal em = 0;  // Space
    FractionSize fraction = FractionSize::ByStyle;
    QChar left, right;  // Delimited
    // Group, Root, Delimited: body. Fraction: body over lower. Scripts: body is the nucleus.
    std::vector<Node> body, upper, lower;
    bool hasUpper = false;
    bool hasLower = false;
};

Node symbol(const QString& text, Atom atom, bool italic = false) {
    Node node;
    node.text = text;
    node.atom = atom;
    node.italic = italic;
    return node;
}

struct NamedSymbol {
    const char* name;
    char16_t character;
    Atom atom;
    bool italic;
};

constexpr NamedSymbol kSymbols[] = {
    {"alpha", 0x03B1, Atom::Ord, true},   {"beta", 0x03B2, Atom::Ord, true},
    {"gamma", 0x03B3, Atom::Ord, true},   {"delta", 0x03B4, Atom::Ord, true},
    {"epsilon", 0x03B5, Atom::Ord, true}, {"theta", 0x03B8, Atom::Ord, true},
    {"lambda", 0x03BB, Atom::Ord, true},  {"mu", 0x03BC, Atom::Ord, true},
    {"nu", 0x03BD, Atom::Ord, true},      {"pi", 0x03C0, Atom::Ord, true},
    {"sigma", 0x03C3, Atom::Ord, true},   {"tau", 0x03C4, Atom::Ord, true},
    {"phi", 0x03C6, Atom::Ord, true},     {"chi", 0x03C7, Atom::Ord, true},
    {"Delta", 0x0394, Atom::Ord, false},  {"Sigma", 0x03A3, Atom::Ord, false},
    {"le", 0x2264, Atom::Rel, false},     {"leq", 0x2264, Atom::Rel, false},
    {"ge", 0x2265, Atom::Rel, false},     {"geq", 0x2265, Atom::Rel, false},
    {"ne", 0x2260, Atom::Rel, false},     {"neq", 0x2260, Atom::Rel, false},
    {"approx", 0x2248, Atom::Rel, false}, {"lt", u'<', Atom::Rel, false},
    {"gt", u'>', Atom::Rel, false},       {"to", 0x2192, Atom::Rel, false},
    {"cdot", 0x22C5, Atom::Bin, false},   {"times", 0x00D7, Atom::Bin, false},
    {"pm", 0x00B1, Atom::Bin, false},     {"infty", 0x221E, Atom::Ord, false},
    {"dots", 0x2026, Atom::Inner, false}, {"ldots", 0x2026, Atom::Inner, false},
    {"prime", 0x2032, Atom::Ord, false},  {"%", u'%', Atom::Ord, false},
    {"{", u'{', Atom::Open, false},       {"}", u'}', Atom::Close, false},
};

// Spaces in ems (TeX's mu are eighteenths of an em).
struct NamedSpace {
    const char* name;
    qreal em;
};
constexpr NamedSpace kSpaces[] = {{",", 3.0 / 18}, {":", 4.0 / 18},  {">", 4.0 / 18},
                                  {";", 5.0 / 18}, {"!", -3.0 / 18}, {" ", 0.25},
                                  {"quad", 1.0},   {"qquad", 2.0}};

constexpr const char* kFunctions[] = {"arctan", "arcsin", "sin", "cos", "tan", "ln",
                                      "log",    "exp",    "max", "min", "det"};

class Parser {
  public:
    explicit Parser(const QString& tex) : m_tex(tex) {}

    std::vector<Node> parse() {
        std::vector<Node> list = parseList(End::Text);
        if (list.empty()) throw FormulaError("empty formula", 0);
        return list;
    }

  private:
    enum class End { Text, Brace, Right };

    bool atEnd() const { return m_pos >= m_tex.size(); }
    QChar peek() const { return m_tex.at(m_pos); }
    void skipSpaces() {
        while (!atEnd() && peek().isSpace()) ++m_pos;
    }
    bool commandAhead(const QString& name) const {
        const int end = m_pos + 1 + int(name.size());
        return m_tex.mid(m_pos, end - m_pos) == "\\" + name &&
               (end >= m_tex.size() || !m_tex.at(end).isLetter());
    }

    std::vector<Node> parseList(End end) {
        std::vector<Node> list;
        for (;;) {
            skipSpaces();
            if (atEnd()) {
                if (end == End::Brace) throw FormulaError("missing }", m_pos);
                if (end == End::Right) throw FormulaError("\\left without \\right", m_pos);
                return list;
            }
            const QChar c = peek();
            if (c == u'}') {
                if (end != End::Brace) throw FormulaError("} without {", m_pos);
                ++m_pos;
                return list;
            }
            if (commandAhead("right")) {
                if (end != End::Right) throw FormulaError("\\right without \\left", m_pos);
                m_pos += 6;
                return list;
            }
            if (c == u'^' || c == u'_') {
                attachScript(list);
            } else if (c == u'\'') {
                ++m_pos;
                list.push_back(symbol(QString(QChar(0x2032)), Atom::Ord));
            } else {
                list.push_back(parseItem(true));
            }
        }
    }

    void attachScript(std::vector<Node>& list) {
        const int at = m_pos;
        const bool upper = m_tex.at(m_pos++) == u'^';
        if (list.empty() || list.back().kind != Node::Kind::Scripts) {
            Node scripts;
            scripts.kind = Node::Kind::Scripts;
            if (!list.empty()) {
                scripts.body.push_back(std::move(list.back()));
                list.pop_back();
            }
            list.push_back(std::move(scripts));
        }
        Node& scripts = list.back();
        bool& has = upper ? scripts.hasUpper : scripts.hasLower;
        if (has) throw FormulaError(upper ? "double superscript" : "double subscript", at);
        (upper ? scripts.upper : scripts.lower) = parseArgument(at);
        has = true;
    }

    // A command's or a script's argument: a {group} or a single token.
    std::vector<Node> parseArgument(int owner) {
        skipSpaces();
        if (atEnd() || peek() == u'}') throw FormulaError("missing argument", owner);
        if (peek() == u'{') {
            ++m_pos;
            return parseList(End::Brace);
        }
        std::vector<Node> single;
        single.push_back(parseItem(false));
        return single;
    }

    Node parseItem(bool wholeNumber) {
        const QChar c = peek();
        if (c == u'{') {
            ++m_pos;
            Node group;
            group.kind = Node::Kind::Group;
            group.body = parseList(End::Brace);
            return group;
        }
        if (c == u'\\') return parseCommand();
        ++m_pos;
        if (c.isDigit()) {
            QString number(c);
            while (wholeNumber && !atEnd() &&
                   (peek().isDigit() ||
                    (peek() == u'.' && m_pos + 1 < m_tex.size() && m_tex.at(m_pos + 1).isDigit())))
                number += m_tex.at(m_pos++);
            return symbol(number, Atom::Ord);
        }
        if (c.isLetter()) return symbol(QString(c), Atom::Ord, true);
        switch (c.unicode()) {
            case u'+':
            case 0x2212:  // minus
            case 0x00D7:  // times
            case 0x22C5:  // dot
            case 0x00B7:
            case 0x00B1:  // plus-minus
                return symbol(QString(c), Atom::Bin);
            case u'-':
                return symbol(QString(QChar(0x2212)), Atom::Bin);
            case u'=':
            case u'<':
            case u'>':
            case u':':
            case 0x2264:
            case 0x2265:
            case 0x2260:
            case 0x2248:
                return symbol(QString(c), Atom::Rel);
            case u',':
            case u';':
                return symbol(QString(c), Atom::Punct);
            case u'(':
            case u'[':
                return symbol(QString(c), Atom::Open);
            case u')':
            case u']':
            case u'!':
                return symbol(QString(c), Atom::Close);
            case u'~': {
                Node space;
                space.kind = Node::Kind::Space;
                space.em = 0.25;
                return space;
            }
            case u'&':
            case u'#':
            case u'$':
            case u'%':
                throw FormulaError(QString("write \\%1 for the character %1").arg(c), m_pos - 1);
            default:
                if (c.isPrint()) return symbol(QString(c), Atom::Ord);
                throw FormulaError("unexpected character", m_pos - 1);
        }
    }

    Node parseCommand() {
        const int start = m_pos++;
        if (atEnd()) throw FormulaError("\\ at the end", start);
        QString name;
        if (peek().isLetter()) {
            while (!atEnd() && peek().isLetter()) name += m_tex.at(m_pos++);
        } else {
            name = m_tex.at(m_pos++);
        }
        for (const NamedSymbol& s : kSymbols)
            if (name == QLatin1String(s.name))
                return symbol(QString(QChar(s.character)), s.atom, s.italic);
        for (const NamedSpace& s : kSpaces) {
            if (name == QLatin1String(s.name)) {
                Node space;
                space.kind = Node::Kind::Space;
                space.em = s.em;
                return space;
            }
        }
        for (const char* function : kFunctions)
            if (name == QLatin1String(function)) return textNode(name, Atom::Op);
        if (name == "frac" || name == "dfrac" || name == "tfrac") {
            Node fraction;
            fraction.kind = Node::Kind::Fraction;
            fraction.fraction = name == "dfrac"   ? FractionSize::Full
                                : name == "tfrac" ? FractionSize::Reduced
                                                  : FractionSize::ByStyle;
            fraction.body = parseArgument(start);
            fraction.lower = parseArgument(start);
            return fraction;
        }
        if (name == "sqrt") {
            Node root;
            root.kind = Node::Kind::Root;
            root.body = parseArgument(start);
            return root;
        }
        if (name == "text" || name == "mathrm") return textNode(readRawGroup(start), Atom::Ord);
        if (name == "operatorname") return textNode(readRawGroup(start), Atom::Op);
        if (name == "left") {
            Node delimited;
            delimited.kind = Node::Kind::Delimited;
            delimited.left = readDelimiter(start);
            delimited.body = parseList(End::Right);
            delimited.right = readDelimiter(start);
            return delimited;
        }
        throw FormulaError("unknown command \\" + name, start);
    }

    static Node textNode(const QString& text, Atom atom) {
        Node node;
        node.kind = Node::Kind::Text;
        node.text = text;
        node.atom = atom;
        return node;
    }

    // The verbatim contents of {...} after \text: blanks are kept, braces may not nest.
    QString readRawGroup(int owner) {
        skipSpaces();
        if (atEnd() || peek() != u'{') throw FormulaError("missing {", owner);
        const int close = m_tex.indexOf(u'}', m_pos);
        if (close < 0) throw FormulaError("missing }", m_pos);
        const QString text = m_tex.mid(m_pos + 1, close - m_pos - 1);
        if (text.contains(u'{')) throw FormulaError("braces inside \\text", m_pos);
        m_pos = close + 1;
        return text;
    }

    QChar readDelimiter(int owner) {
        skipSpaces();
        if (atEnd()) throw FormulaError("missing delimiter", owner);
        const QChar c = m_tex.at(m_pos++);
        if (QStringLiteral("()[]|.").contains(c)) return c;
        throw FormulaError(QString("unknown delimiter %1").arg(c), m_pos - 1);
    }

    const QString& m_tex;
    int m_pos = 0;
};

// The material of a formula part: glyphs and outlines around a baseline at y = 0.
struct Box {
    qreal width = 0;
    qreal ascent = 0;
    qreal descent = 0;
    qreal italicCorrection = 0;  // how far an italic glyph leans out beyond its advance
    Atom atom = Atom::Ord;
    std::vector<Formula::Glyphs> glyphs;
    std::vector<QPainterPath> fills;

    void add(const Box& part, qreal x, qreal y) {
        for (Formula::Glyphs g : part.glyphs) {
            g.origin += QPointF(x, y);
            glyphs.push_back(g);
        }
        for (const QPainterPath& path : part.fills) fills.push_back(path.translated(x, y));
        ascent = std::max(ascent, part.ascent - y);
        descent = std::max(descent, part.descent + y);
    }
};

// Level 0 is the formula's own size, 1 and 2 the sizes of scripts and scripts of scripts.
// Display is TeX's display style, in which fractions keep their parts at full size.
struct Style {
    int level = 0;
    bool display = false;
    Style script() const { return {std::min(level + 1, 2), false}; }
};

// Space between neighbouring atoms, after TeX's table: 0 none, 1 thin, 2 thin, 3 medium and
// 4 thick; 2 to 4 only at level 0.
constexpr int kSpacing[8][8] = {
    // Ord Op Bin Rel Open Close Punct Inner
    {0, 1, 3, 4, 0, 0, 0, 2},  // Ord
    {1, 1, 0, 4, 0, 0, 0, 2},  // Op
    {3, 3, 0, 0, 3, 0, 0, 3},  // Bin
    {4, 4, 0, 0, 4, 0, 0, 4},  // Rel
    {0, 0, 0, 0, 0, 0, 0, 0},  // Open
    {0, 1, 3, 4, 0, 0, 0, 2},  // Close
    {2, 2, 0, 2, 2, 2, 2, 2},  // Punct
    {2, 1, 3, 4, 2, 0, 2, 2},  // Inner
};

class Typesetter {
  public:
    Typesetter(const QFont& font, const QPaintDevice& device) : m_font(font), m_device(device) {
        const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
        m_pixels = points * device.logicalDpiY() / 72.0;
    }

    Box list(const std::vector<Node>& nodes, Style style) const {
        // A binary operator with no operand on its left, or none on its right, is unary.
        std::vector<Atom> atoms;
        for (const Node& node : nodes) atoms.push_back(atomOf(node));
        std::optional<size_t> previous;
        for (size_t i = 0; i < nodes.size(); ++i) {
            if (nodes[i].kind == Node::Kind::Space) continue;
            if (atoms[i] == Atom::Bin) {
                const bool noLeft = !previous || atoms[*previous] == Atom::Bin ||
                                    atoms[*previous] == Atom::Op || atoms[*previous] == Atom::Rel ||
                                    atoms[*previous] == Atom::Open ||
                                    atoms[*previous] == Atom::Punct;
                if (noLeft) atoms[i] = Atom::Ord;
            }
            if (previous && atoms[*previous] == Atom::Bin &&
                (atoms[i] == Atom::Rel || atoms[i] == Atom::Close || atoms[i] == Atom::Punct))
                atoms[*previous] = Atom::Ord;
            previous = i;
        }
        if (previous && atoms[*previous] == Atom::Bin) atoms[*previous] = Atom::Ord;

        Box out;
        qreal x = 0;
        std::optional<Atom> left;
        qreal pendingItalic = 0;
        for (size_t i = 0; i < nodes.size(); ++i) {
            if (nodes[i].kind == Node::Kind::Space) {
                x += nodes[i].em * em(style.level);
                continue;
            }
            Box box = node(nodes[i], style);
            if (left) x += space(*left, atoms[i], style);
            x += pendingItalic;
            out.add(box, x, 0);
            x += box.width;
            pendingItalic = box.italicCorrection;
            left = atoms[i];
        }
        out.width = x;
        out.italicCorrection = pendingItalic;
        return out;
    }

  private:
    static Atom atomOf(const Node& node) {
        switch (node.kind) {
            case Node::Kind::Symbol:
            case Node::Kind::Text:
                return node.atom;
            case Node::Kind::Fraction:
            case Node::Kind::Delimited:
                return Atom::Inner;
            case Node::Kind::Scripts:
                return node.body.size() == 1 ? atomOf(node.body.front()) : Atom::Ord;
            default:
                return Atom::Ord;
        }
    }

    qreal space(Atom left, Atom right, Style style) const {
        const int kind = kSpacing[int(left)][int(right)];
        if (kind == 0 || (kind > 1 && style.level > 0)) return 0;
        const qreal mu = em(style.level) / 18;
        return kind <= 2 ? 3 * mu : kind == 3 ? 4 * mu : 5 * mu;
    }

    static qreal scale(int level) { return level == 0 ? 1.0 : level == 1 ? 0.7 : 0.55; }
    qreal em(int level) const { return m_pixels * scale(level); }
    qreal rule(int level) const { return 0.045 * em(level); }

    QFont font(int level, bool italic) const {
        QFont f = m_font;
        f.setPointSizeF((m_font.pointSizeF() > 0 ? m_font.pointSizeF() : 10.0) * scale(level));
        f.setItalic(italic);
        return f;
    }
    QFontMetricsF metrics(int level) const { return QFontMetricsF(font(level, false), &m_device); }
    qreal xHeight(int level) const { return metrics(level).xHeight(); }
    // The height of the middle of a minus sign: fraction bars and delimiters centre on it.
    qreal axis(int level) const {
        const QRectF minus = metrics(level).tightBoundingRect(QString(QChar(0x2212)));
        return minus.isValid() ? -minus.center().y() : xHeight(level) / 2;
    }

    Box node(const Node& n, Style style) const {
        switch (n.kind) {
            case Node::Kind::Symbol:
            case Node::Kind::Text: {
                Box box = glyphs(n.text, n.italic, style);
                box.atom = n.atom;
                return box;
            }
            case Node::Kind::Group:
                return list(n.body, style);
            case Node::Kind::Fraction:
                return fraction(n, style);
            case Node::Kind::Root:
                return root(n, style);
            case Node::Kind::Scripts:
                return scripts(n, style);
            case Node::Kind::Delimited:
                return delimited(n, style);
            case Node::Kind::Space:
                break;
        }
        return {};
    }

    Box glyphs(const QString& text, bool italic, Style style) const {
        const QFont f = font(style.level, italic);
        const QFontMetricsF fm(f, &m_device);
        const QRectF ink = fm.tightBoundingRect(text);
        Box box;
        box.width = fm.horizontalAdvance(text);
        box.ascent = std::max<qreal>(0, -ink.top());
        box.descent = std::max<qreal>(0, ink.bottom());
        if (italic) box.italicCorrection = std::max<qreal>(0, ink.right() - box.width);
        box.glyphs.push_back({QPointF(0, 0), f, text});
        return box;
    }

    // Shifts after TeX's rules for scripts (The TeXbook, appendix G, rules 18a-f), with the
    // font parameters of Computer Modern in ems.
    Box scripts(const Node& n, Style style) const {
        Box nucleus;
        if (n.body.size() == 1)
            nucleus = node(n.body.front(), style);
        else if (!n.body.empty())
            nucleus = list(n.body, style);
        const Style small = style.script();
        const qreal e = em(style.level);
        const qreal x = xHeight(style.level);
        std::optional<Box> sup, sub;
        if (n.hasUpper) sup = list(n.upper, small);
        if (n.hasLower) sub = list(n.lower, small);
        qreal up = 0, down = 0;
        if (sup)
            up = std::max({nucleus.ascent - 0.386 * em(small.level),
                           (style.display ? 0.413 : 0.363) * e, sup->descent + x / 4});
        if (sub)
            down = std::max({nucleus.descent + 0.05 * em(small.level), (sup ? 0.247 : 0.15) * e,
                             sub->ascent - 0.8 * x});
        if (sup && sub) {
            const qreal gap = (up - sup->descent) - (sub->ascent - down);
            if (gap < 4 * rule(style.level)) {
                down += 4 * rule(style.level) - gap;
                const qreal lift = 0.8 * x - (up - sup->descent);
                if (lift > 0) {
                    up += lift;
                    down -= lift;
                }
            }
        }
        Box out;
        out.atom = nucleus.atom;
        out.add(nucleus, 0, 0);
        qreal width = nucleus.width + nucleus.italicCorrection;
        const qreal after = 0.05 * e;
        if (sup) {
            const qreal at = nucleus.width + nucleus.italicCorrection;
            out.add(*sup, at, -up);
            width = std::max(width, at + sup->width + after);
        }
        if (sub) {
            out.add(*sub, nucleus.width, down);
            width = std::max(width, nucleus.width + sub->width + after);
        }
        out.width = width;
        return out;
    }

    Box fraction(const Node& n, Style style) const {
        const bool full = n.fraction == FractionSize::Full ||
                          (n.fraction == FractionSize::ByStyle && style.display);
        const Style parts = full ? Style{style.level, false} : style.script();
        const Box numerator = list(n.body, parts);
        const Box denominator = list(n.lower, parts);
        const qreal e = em(style.level);
        const qreal thickness = rule(style.level);
        const qreal middle = axis(style.level);
        const qreal gap = full ? 3 * thickness : thickness;
        const qreal up =
            std::max(middle + thickness / 2 + gap + numerator.descent, (full ? 0.677 : 0.394) * e);
        const qreal down =
            std::max(denominator.ascent + gap + thickness / 2 - middle, (full ? 0.686 : 0.345) * e);
        const qreal side = 0.12 * e;
        const qreal bar = std::max(numerator.width, denominator.width) + 0.15 * e;
        Box out;
        out.atom = Atom::Inner;
        out.add(numerator, side + (bar - numerator.width) / 2, -up);
        out.add(denominator, side + (bar - denominator.width) / 2, down);
        QPainterPath line;
        line.addRect(QRectF(side, -middle - thickness / 2, bar, thickness));
        out.fills.push_back(line);
        out.width = bar + 2 * side;
        return out;
    }

    Box root(const Node& n, Style style) const {
        const Box radicand = list(n.body, style);
        const qreal e = em(style.level);
        const qreal thickness = rule(style.level);
        const qreal clearance =
            thickness + (style.display ? xHeight(style.level) : xHeight(style.level) / 2) / 4;
        const qreal top = radicand.ascent + clearance + thickness / 2;  // centre of the bar
        const qreal bottom = std::max(radicand.descent, 0.08 * e) + 0.04 * e;
        const qreal height = top + bottom;
        const qreal hook = std::min(height, e);
        const QPointF start(0, bottom - 0.45 * hook);
        const QPointF tick(0.1 * e, bottom - 0.52 * hook);
        const QPointF foot(0.32 * e, bottom);
        const QPointF peak(0.5 * e + 0.05 * height, -top);
        const qreal contents = peak.x() + 0.06 * e;
        const QPointF end(contents + radicand.width + radicand.italicCorrection + 0.06 * e, -top);

        QPainterPathStroker stroker;
        stroker.setCapStyle(Qt::FlatCap);
        stroker.setJoinStyle(Qt::MiterJoin);
        QPainterPath thin(start);
        thin.lineTo(tick);
        thin.moveTo(foot);
        thin.lineTo(peak);
        thin.lineTo(end);
        QPainterPath thick(tick);
        thick.lineTo(foot);
        Box out;
        out.add(radicand, contents, 0);
        stroker.setWidth(1.1 * thickness);
        out.fills.push_back(stroker.createStroke(thin));
        stroker.setWidth(2.2 * thickness);
        out.fills.push_back(stroker.createStroke(thick));
        out.width = end.x() + 0.04 * e;
        out.ascent = std::max(out.ascent, top + thickness);
        out.descent = std::max(out.descent, bottom + thickness);
        return out;
    }

    Box delimited(const Node& n, Style style) const {
        const Box contents = list(n.body, style);
        const qreal middle = axis(style.level);
        const qreal half = std::max(contents.ascent - middle, contents.descent + middle);
        // TeX's \delimiterfactor 901 and \delimitershortfall 5pt.
        const qreal size = std::max(2 * half * 0.901, 2 * half - 0.5 * em(style.level));
        const Box left = delimiter(n.left, size, style, true);
        const Box right = delimiter(n.right, size, style, false);
        Box out;
        out.atom = Atom::Inner;
        out.add(left, 0, 0);
        out.add(contents, left.width, 0);
        const qreal after = left.width + contents.width + contents.italicCorrection;
        out.add(right, after, 0);
        out.width = after + right.width;
        return out;
    }

    Box delimiter(QChar c, qreal size, Style style, bool opening) const {
        if (c == u'.') return {};
        Box glyph = glyphs(QString(c), false, style);
        if (size <= 1.05 * (glyph.ascent + glyph.descent)) return glyph;
        const qreal e = em(style.level);
        const qreal top = -(axis(style.level) + size / 2);
        const qreal bottom = top + size;
        Box box;
        QPainterPath path;
        if (c == u'(' || c == u')') {
            // A crescent between two curves: thin at the ends, thickest in the middle.
            const qreal width = std::min(0.35 * e + 0.05 * size, 0.65 * e);
            const qreal stroke = std::min(0.075 * e + 0.01 * size, 0.12 * e);
            const qreal tip = width - 0.08 * e;
            const qreal bulge = 0.08 * e;
            const qreal inner = bulge + stroke / 0.75;  // a cubic reaches 3/4 of its controls
            const auto x = [&](qreal v) { return opening ? v : width - v; };
            path.moveTo(x(tip), top);
            path.cubicTo(x(bulge), top + 0.3 * size, x(bulge), bottom - 0.3 * size, x(tip), bottom);
            path.cubicTo(x(inner), bottom - 0.3 * size, x(inner), top + 0.3 * size, x(tip), top);
            box.width = width;
        } else {
            const qreal stroke = 0.05 * e;
            const qreal width = c == u'|' ? 0.25 * e : 0.32 * e;
            const qreal stem = c == u'|' ? (width - stroke) / 2
                               : opening ? 0.1 * e
                                         : width - 0.1 * e - stroke;
            path.addRect(QRectF(stem, top, stroke, size));
            if (c != u'|') {
                const qreal arm = opening ? stem : width - 0.1 * e - 0.2 * e;
                path.addRect(QRectF(arm, top, 0.2 * e + stroke, stroke));
                path.addRect(QRectF(arm, bottom - stroke, 0.2 * e + stroke, stroke));
            }
            box.width = width;
        }
        box.fills.push_back(path);
        box.ascent = -top;
        box.descent = bottom;
        return box;
    }

    QFont m_font;
    const QPaintDevice& m_device;
    qreal m_pixels = 0;
};

}  // namespace

Formula typesetFormula(const QString& tex, const QFont& font, FormulaStyle style,
                       const QPaintDevice& device) {
    const std::vector<Node> nodes = Parser(tex).parse();
    const Box box = Typesetter(font, device).list(nodes, Style{0, style == FormulaStyle::Display});
    Formula formula;
    formula.width = box.width + box.italicCorrection;
    formula.ascent = box.ascent;
    formula.descent = box.descent;
    formula.glyphs = box.glyphs;
    formula.fills = box.fills;
    return formula;
}

void Formula::paint(QPainter& painter, QPointF baselineStart, const QColor& colour) const {
    painter.save();
    painter.setPen(colour);
    for (const Glyphs& g : glyphs) {
        painter.setFont(g.font);
        painter.drawText(baselineStart + g.origin, g.text);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (const QPainterPath& path : fills) painter.drawPath(path.translated(baselineStart));
    painter.restore();
}

}  // namespace helppdf
