#pragma once

#include <QString>

namespace glyph {

// Every name written into a page or a picture of the art (a title, a font's
// family) goes through the function of the place it lands in, so that no
// name can end its element or string and start markup or a script of its own.

// Text between a page's tags: & < > " as references.
QString HtmlText(const QString& text);

// A CSS string, quotes included, for a page's <style>: it cannot end the
// string nor, since no '<' is left, the style element.
QString CssString(const QString& text);

// The value of an XML attribute in double quotes (an SVG's): & < > " as
// references, tabs and line breaks kept as references, and characters XML
// cannot carry at all as U+FFFD.
QString XmlAttribute(const QString& text);

}  // namespace glyph
