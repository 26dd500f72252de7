#include "text_tool.h"

#include "canvas_host.h"
#include "core/surface.h"
#include "tool_options.h"
#include "tool_state.h"

namespace {

// Line breaks would be drawn as boxes or not at all; one line it is, with a
// space where each break was.
QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (const QChar breakChar : {QChar(u'\r'), QChar(u'\n'), QChar(QChar::LineSeparator),
                                  QChar(QChar::ParagraphSeparator)})
        text.replace(breakChar, QChar(u' '));
    return text;
}

} // namespace

void TextTool::release(ToolContext &context, const ToolEvent &event)
{
    if (context.host.askText(m_settings)) {
        const QString text = oneLine(m_settings.text);
        context.commit([&](Surface &canvas) {
            canvas.setFont(textFont(m_settings.fontName, m_settings.fontSize, m_settings.style));
            canvas.textOut(event.position(), text, context.pen.colour);
            if (context.options.textEffect == 1)
                canvas.textOut(event.position() + QPointF(EffectOffset, EffectOffset), text,
                               context.host.colour2());
        });
    }
    context.state.strokeInProgress = false;
}
