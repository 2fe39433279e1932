#include "buttonstyle.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleOption>

namespace platform {

namespace {

class ButtonStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if (element != CE_PushButtonLabel || !button || button->icon.isNull()) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const bool outer = captionBesideIcon_;
        captionBesideIcon_ = true;
        QProxyStyle::drawControl(element, option, painter, widget);
        captionBesideIcon_ = outer;
    }

    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole) const override
    {
        // The caption's rectangle already lies on the icon's side, in the
        // button's own direction: its alignment means that side as it is.
        if (captionBesideIcon_)
            flags |= Qt::AlignAbsolute;
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
    }

private:
    // While a caption beside an icon is drawn (the base style draws it
    // through drawItemText of this, its proxy).
    mutable bool captionBesideIcon_ = false;
};

} // namespace

void installButtonStyle()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()) ||
        dynamic_cast<ButtonStyle*>(QApplication::style()))
        return;
    // The style in use itself, wrapped: the proxy takes it over, so the
    // application keeps it instead of deleting it. Made again by its name,
    // a desktop's style that its factory cannot make (a plugin's, one set by
    // the desktop's own code) would become Qt's default without a word.
    QApplication::setStyle(new ButtonStyle(QApplication::style()));
}

} // namespace platform
