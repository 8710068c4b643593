#pragma once
// A view that shows text: plain or attributed, in one font and colour, on a
// limited number of lines. Its fitting size comes from the font's advance
// widths, wrapped at word boundaries when more than one line is allowed.
// Main thread.

#include "platform/uikit/UIView.h"

namespace platform {

class UIFont;
class NSAttributedString;

enum NSTextAlignment : long {
    NSTextAlignmentLeft = 0,
    NSTextAlignmentCenter = 1,
    NSTextAlignmentRight = 2,
    NSTextAlignmentJustified = 3,
    NSTextAlignmentNatural = 4,
};

enum NSLineBreakMode : long {
    NSLineBreakByWordWrapping = 0,
    NSLineBreakByCharWrapping = 1,
    NSLineBreakByClipping = 2,
    NSLineBreakByTruncatingHead = 3,
    NSLineBreakByTruncatingTail = 4,
    NSLineBreakByTruncatingMiddle = 5,
};

class UILabel : public UIView {
    OBJC_CLASS(UILabel, UIView)
public:
    UILabel();
    ~UILabel() override;
    static void registerMethods(objc::ClassBuilder<UILabel>&);
    static Ref<UILabel> create(CGRect frame = CGRectZero);

    RefPtr<NSString> text() const;
    std::string textString() const { return m_text; }
    // Sets plain text; the attributed text becomes that text in the label's font and colour.
    void setText(NSString* text);
    // The text with its attributes (built from the plain text when none was set).
    RefPtr<NSAttributedString> attributedText() const;
    // Sets attributed text; the plain text becomes its string.
    void setAttributedText(NSAttributedString* text);
    RefPtr<UIFont> font() const;
    // nil restores the system font of size 17.
    void setFont(UIFont* font);
    RefPtr<UIColor> textColor() const;
    // nil restores black.
    void setTextColor(UIColor* color);
    long textAlignment() const { return m_alignment; }
    void setTextAlignment(long alignment) { m_alignment = alignment; }
    long numberOfLines() const { return m_lines; }
    // 0 means as many lines as the text needs.
    void setNumberOfLines(long lines) { m_lines = lines < 0 ? 0 : lines; }
    long lineBreakMode() const { return m_lineBreakMode; }
    void setLineBreakMode(long mode) { m_lineBreakMode = mode; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    // One-line text wider than the label shrinks down to minimumScaleFactor of its size when drawn.
    bool adjustsFontSizeToFitWidth() const { return m_adjustsFontSize; }
    void setAdjustsFontSizeToFitWidth(bool on) { m_adjustsFontSize = on; }
    double minimumScaleFactor() const { return m_minimumScaleFactor; }
    void setMinimumScaleFactor(double factor) { m_minimumScaleFactor = factor < 0 ? 0 : factor > 1 ? 1 : factor; }
    // The width multi-line text wraps at when the label sizes itself (0: none).
    double preferredMaxLayoutWidth() const { return m_preferredMaxLayoutWidth; }
    void setPreferredMaxLayoutWidth(double width) { m_preferredMaxLayoutWidth = width < 0 ? 0 : width; }
    // The font size a one-line text is drawn at in a width (smaller than the
    // font's when the label adjusts it to fit).
    double drawnFontSize(double width) const;
    // Draws the text through pango into the rectangle, centred vertically.
    void drawTextInRect(CGRect rect);
    void drawRect(CGRect rect) { objc::send<void(CGRect)>(this, "drawTextInRect:", rect); }
    // The one-line text's size, or wrapped at preferredMaxLayoutWidth.
    CGSize intrinsicContentSize() const;

    // The text's size in whole points: one line, or wrapped to size.width
    // when numberOfLines is not 1 (capped at numberOfLines when it is above 0).
    CGSize sizeThatFits(CGSize size) const;
    // The lines the text breaks into for a width (one line when width <= 0 or numberOfLines is 1).
    std::vector<std::string> linesForWidth(double width) const;

private:
    UIFont* effectiveFont() const;

    std::string m_text;
    bool m_hasText { false };
    RefPtr<Object> m_attributedText;
    RefPtr<Object> m_font;
    RefPtr<Object> m_textColor;
    long m_alignment { NSTextAlignmentNatural };
    long m_lines { 1 };
    long m_lineBreakMode { NSLineBreakByTruncatingTail };
    bool m_enabled { true };
    bool m_adjustsFontSize { false };
    double m_minimumScaleFactor { 0 };
    double m_preferredMaxLayoutWidth { 0 };
};

} // namespace platform
