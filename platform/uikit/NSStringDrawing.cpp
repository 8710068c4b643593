#include "platform/uikit/NSStringDrawing.h"
#include "platform/graphics/TextLayout.h"
#include "platform/foundation/NSAttributedString.h"
#include "platform/uikit/UIFont.h"

namespace platform {

namespace {

UIFont* fontIn(NSDictionary* attributes)
{
    if (!attributes)
        return nullptr;
    auto font = attributes->get(NSFontAttributeName);
    return objc::object_isKindOfClass(font.get(), UIFont::staticClass()) ? static_cast<UIFont*>(font.get()) : nullptr;
}

TextStyle styleOf(UIFont* font)
{
    TextStyle style;
    style.font = font ? font->name() : "HelveticaNeue";
    style.size = font ? font->pointSize() : 12;
    return style;
}

CGSize sizeWithAttributes(id self, objc::SEL, id attributes)
{
    return NSStringSizeWithFont(str(self), fontIn(static_cast<NSDictionary*>(attributes)));
}

CGRect boundingRect(id self, objc::SEL, CGSize size, long options, id attributes, id)
{
    return NSStringBoundingRect(str(self), size, options, fontIn(static_cast<NSDictionary*>(attributes)));
}

} // namespace

CGSize NSStringSizeWithFont(const std::string& text, UIFont* font)
{
    TextStyle style = styleOf(font);
    CGSize size = TextMeasure(text, style, 0);
    if (text.empty())
        size.height = TextMeasure(" ", style, 0).height;
    return size;
}

CGRect NSStringBoundingRect(const std::string& text, CGSize size, long options, UIFont* font)
{
    TextStyle style = styleOf(font);
    bool wrapped = options & NSStringDrawingUsesLineFragmentOrigin;
    style.lines = wrapped ? 0 : 1;
    style.lineBreakMode = wrapped ? 0 : 2;
    CGSize measured = TextMeasure(text, style, wrapped ? size.width : 0);
    return CGRectMake(0, 0, measured.width, measured.height);
}

void registerStringDrawing()
{
    objc::Class cls = NSString::staticClass();
    CGSize (*sizeFn)(id, objc::SEL, id) = sizeWithAttributes;
    CGRect (*rectFn)(id, objc::SEL, CGSize, long, id, id) = boundingRect;
    objc::class_addMethod(cls, objc::sel_registerName("sizeWithAttributes:"), reinterpret_cast<objc::IMP>(sizeFn), objc::impEncoding(sizeFn));
    objc::class_addMethod(cls, objc::sel_registerName("boundingRectWithSize:options:attributes:context:"),
        reinterpret_cast<objc::IMP>(rectFn), objc::impEncoding(rectFn));
}

OBJC_CATEGORY_LOAD(NSStringDrawing, registerStringDrawing)

} // namespace platform
