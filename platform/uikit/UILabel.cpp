#include "platform/uikit/UILabel.h"
#include "platform/foundation/NSAttributedString.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/TextLayout.h"

#include <cmath>
#include <sstream>

namespace platform {

OBJC_CLASS_LOAD(UILabel)

UILabel::UILabel()
    : m_font(UIFont::systemFontOfSize(17))
    , m_textColor(UIColor::blackColor())
{
    setUserInteractionEnabled(false);
}

UILabel::~UILabel() = default;

Ref<UILabel> UILabel::create(CGRect frame)
{
    auto label = objc::make<UILabel>();
    objc::send<RefPtr<UIView>(CGRect)>(label, "initWithFrame:", frame);
    return label;
}

RefPtr<NSString> UILabel::text() const
{
    return m_hasText ? RefPtr<NSString>(ns(m_text)) : nullptr;
}

void UILabel::setText(NSString* text)
{
    m_hasText = text != nullptr;
    m_text = text ? text->str() : std::string();
    m_attributedText = nullptr;
    setNeedsDisplay();
}

RefPtr<NSAttributedString> UILabel::attributedText() const
{
    if (m_attributedText)
        return RefPtr<NSAttributedString>(static_cast<NSAttributedString*>(m_attributedText.get()));
    if (!m_hasText)
        return nullptr;
    return NSAttributedString::create(m_text, { { NSFontAttributeName, Ref<Object>(*m_font) }, { NSForegroundColorAttributeName, Ref<Object>(*m_textColor) } });
}

void UILabel::setAttributedText(NSAttributedString* text)
{
    m_attributedText = text ? RefPtr<Object>(text->copy()) : nullptr;
    m_hasText = text != nullptr;
    m_text = text ? text->text() : std::string();
    setNeedsDisplay();
}

RefPtr<UIFont> UILabel::font() const
{
    return RefPtr<UIFont>(static_cast<UIFont*>(m_font.get()));
}

void UILabel::setFont(UIFont* font)
{
    m_font = font ? RefPtr<Object>(font) : RefPtr<Object>(UIFont::systemFontOfSize(17));
    setNeedsDisplay();
}

RefPtr<UIColor> UILabel::textColor() const
{
    return RefPtr<UIColor>(static_cast<UIColor*>(m_textColor.get()));
}

void UILabel::setTextColor(UIColor* color)
{
    m_textColor = color ? RefPtr<Object>(color) : RefPtr<Object>(UIColor::blackColor());
    setNeedsDisplay();
}

UIFont* UILabel::effectiveFont() const
{
    // Attributed text measures in the font of its first character when it has one.
    if (m_attributedText) {
        auto* text = static_cast<NSAttributedString*>(m_attributedText.get());
        auto font = text->attribute(NSFontAttributeName, 0);
        if (objc::object_isKindOfClass(font.get(), UIFont::staticClass()))
            return static_cast<UIFont*>(font.get());
    }
    return static_cast<UIFont*>(m_font.get());
}

std::vector<std::string> UILabel::linesForWidth(double width) const
{
    std::vector<std::string> lines;
    UIFont* font = effectiveFont();
    std::istringstream paragraphs(m_text);
    std::string paragraph;
    while (std::getline(paragraphs, paragraph)) {
        if (m_lines == 1 || width <= 0) {
            lines.push_back(paragraph);
            continue;
        }
        std::istringstream words(paragraph);
        std::string word, line;
        while (words >> word) {
            std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && font->widthOfText(candidate) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
        }
        lines.push_back(line);
    }
    if (m_lines == 1 && lines.size() > 1) {
        // One line shows the paragraphs joined, as the platform does with line breaks.
        std::string joined;
        for (auto& l : lines)
            joined += (joined.empty() ? "" : " ") + l;
        lines = { joined };
    }
    if (m_lines > 0 && long(lines.size()) > m_lines)
        lines.resize(size_t(m_lines));
    return lines;
}

CGSize UILabel::sizeThatFits(CGSize size) const
{
    if (m_text.empty())
        return CGSizeZero;
    UIFont* font = effectiveFont();
    auto lines = linesForWidth(m_lines == 1 ? 0 : size.width);
    double width = 0;
    for (auto& line : lines)
        width = std::max(width, font->widthOfText(line));
    return CGSizeMake(std::ceil(width), std::ceil(font->lineHeight() * double(lines.size())));
}

CGSize UILabel::intrinsicContentSize() const
{
    double width = m_lines != 1 && m_preferredMaxLayoutWidth > 0 ? m_preferredMaxLayoutWidth : 0;
    return sizeThatFits(CGSizeMake(width, 0));
}

double UILabel::drawnFontSize(double width) const
{
    UIFont* font = effectiveFont();
    double size = font->pointSize();
    if (!m_adjustsFontSize || m_lines != 1 || width <= 0)
        return size;
    double natural = font->widthOfText(m_text);
    if (natural <= width)
        return size;
    // The platform never goes below a legible floor, even with a factor of 0.
    double floor = std::max(size * m_minimumScaleFactor, std::min(size, 4.0));
    return std::max(floor, size * width / natural);
}

void UILabel::drawTextInRect(CGRect rect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context || m_text.empty())
        return;
    UIFont* font = effectiveFont();
    TextStyle style;
    style.font = font->name();
    style.size = drawnFontSize(rect.size.width);
    style.alignment = m_alignment == NSTextAlignmentNatural ? NSTextAlignmentLeft : m_alignment;
    style.lines = m_lines;
    style.lineBreakMode = m_adjustsFontSize && m_lines == 1 ? NSLineBreakByClipping : m_lineBreakMode;
    UIColor* colour = static_cast<UIColor*>(m_textColor.get());
    if (m_attributedText) {
        auto first = static_cast<NSAttributedString*>(m_attributedText.get())->attribute(NSForegroundColorAttributeName, 0);
        if (objc::object_isKindOfClass(first.get(), UIColor::staticClass()))
            colour = static_cast<UIColor*>(first.get());
    }
    double rgba[4] = { colour->red(), colour->green(), colour->blue(), colour->alpha() * (m_enabled ? 1 : 0.45) };
    TextDraw(context->cairo(), m_text, style, rect, rgba);
}

void UILabel::registerMethods(objc::ClassBuilder<UILabel>& b)
{
    b.method<&UILabel::adjustsFontSizeToFitWidth>("adjustsFontSizeToFitWidth")
        .method<&UILabel::setAdjustsFontSizeToFitWidth>("setAdjustsFontSizeToFitWidth:")
        .method<&UILabel::minimumScaleFactor>("minimumScaleFactor")
        .method<&UILabel::setMinimumScaleFactor>("setMinimumScaleFactor:")
        .method<&UILabel::preferredMaxLayoutWidth>("preferredMaxLayoutWidth")
        .method<&UILabel::setPreferredMaxLayoutWidth>("setPreferredMaxLayoutWidth:")
        .method<&UILabel::drawTextInRect>("drawTextInRect:")
        .method<&UILabel::drawRect>("drawRect:")
        .method<&UILabel::intrinsicContentSize>("intrinsicContentSize");
    b.method<&UILabel::text>("text")
        .method<&UILabel::setText>("setText:")
        .method<&UILabel::attributedText>("attributedText")
        .method<&UILabel::setAttributedText>("setAttributedText:")
        .method<&UILabel::font>("font")
        .method<&UILabel::setFont>("setFont:")
        .method<&UILabel::textColor>("textColor")
        .method<&UILabel::setTextColor>("setTextColor:")
        .method<&UILabel::textAlignment>("textAlignment")
        .method<&UILabel::setTextAlignment>("setTextAlignment:")
        .method<&UILabel::numberOfLines>("numberOfLines")
        .method<&UILabel::setNumberOfLines>("setNumberOfLines:")
        .method<&UILabel::lineBreakMode>("lineBreakMode")
        .method<&UILabel::setLineBreakMode>("setLineBreakMode:")
        .method<&UILabel::isEnabled>("isEnabled")
        .method<&UILabel::setEnabled>("setEnabled:")
        .method<&UILabel::sizeThatFits>("sizeThatFits:");
}

} // namespace platform
