#include "textroom.h"

#include <algorithm>
#include <cmath>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWidget>

namespace platform {

namespace {

// Pixels kept between a grown control and a neighbour it pushed away, and
// between the controls and the edge of a frame or window that grew.
constexpr int kGap = 4;
// Pixels to spare beside a text, for the rounding of glyph positions.
constexpr int kSpare = 2;
// Pixels from a button's caption to its outer edge on each side: the bevel
// and some air, so that the caption does not touch it.
constexpr int kButtonClearance = 7;
// Pixels between a caption's text and an entry box, list or button beside it
// (a hundred twips, as the designs leave between a box and the next caption),
// and the least of it where the caption has no spare room for the whole gap.
constexpr int kCaptionGap = 7;
constexpr int kLeastCaptionGap = 3;

int textWidth(const QWidget* w, const QString& text, int flags = 0)
{
    return static_cast<int>(std::ceil(QFontMetricsF(w->font()).size(flags, text).width()));
}

// Widgets whose children are placed by hand (a frame, a plain container).
bool placesByHand(const QWidget* w)
{
    if (w->layout() || qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractButton*>(w))
        return false;
    for (QObject* o : w->children())
        if (auto* c = qobject_cast<QWidget*>(o); c && !c->isWindow())
            return true;
    return false;
}

QList<QWidget*> shownChildren(QWidget* parent)
{
    QList<QWidget*> kids;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow() && !w->isHidden())
            kids << w;
    return kids;
}

// Lines and figures drawn on the window, and pictures, move with nothing.
bool isFigure(const QWidget* w)
{
    if (w->testAttribute(Qt::WA_TransparentForMouseEvents))
        return true;
    if (auto* frame = qobject_cast<const QFrame*>(w))
        return frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine;
    return false;
}

bool holdsOthers(const QWidget* w)
{
    if (qobject_cast<const QGroupBox*>(w))
        return true;
    if (auto* label = qobject_cast<const QLabel*>(w))
        return !label->pixmap().isNull() || label->property("picture").toBool();
    // A plain frame groups the controls laid on it, with a border or without.
    if (w->metaObject() == &QFrame::staticMetaObject)
        return !isFigure(w);
    return w->property("picture").toBool();
}

enum class Growth { Right, Left, Both };

Growth growthOf(const QWidget* w, bool english)
{
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        const Qt::Alignment align = shownAlignment(label);
        if (align & Qt::AlignHCenter)
            return Growth::Both;
        if (english)
            return (align & Qt::AlignRight) ? Growth::Left : Growth::Right;
    }
    return english ? Growth::Right : Growth::Left;
}

constexpr const char* kWholeText = "wholeText";

void elide(QLabel* label)
{
    const QString whole = label->property(kWholeText).toString();
    const int m = label->margin();
    const int room = label->contentsRect().width() - 2 * m - kSpare;
    label->setText(label->fontMetrics().elidedText(whole, Qt::ElideRight, std::max(room, 0)));
}

// Cuts the text again whenever the label's width changes.
class ElideOnResize : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            elide(static_cast<QLabel*>(watched));
        return false;
    }
};

class RoomMaker {
public:
    explicit RoomMaker(bool english) : english_(english) {}

    void fit(QWidget* container, bool topLevel)
    {
        const QList<QWidget*> kids = shownChildren(container);
        QHash<QWidget*, QRect> before;
        for (QWidget* w : kids)
            before.insert(w, w->geometry());
        for (QWidget* w : kids)
            if (placesByHand(w))
                fit(w, false);
        for (QWidget* w : kids)
            growToText(w);
        for (QWidget* w : kids)
            if (w->geometry() != before.value(w))
                pushAway(w, before.value(w), kids, before, 0);
        separate(kids, before);
        holdChildren(container, kids, before, topLevel);
    }

    // Buttons that a layout places get room for their captions too: their
    // own size hint leaves the text touching the bevel.
    void fitLaidOut(QWidget* container)
    {
        for (QWidget* w : shownChildren(container)) {
            if (qobject_cast<QPushButton*>(w))
                w->setMinimumWidth(std::max(w->minimumWidth(), widthForText(w)));
            else if (w->layout())
                fitLaidOut(w);
            else if (placesByHand(w))
                fit(w, false);
        }
    }

private:
    void growToText(QWidget* w)
    {
        QRect r = w->geometry();
        if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap()) {
            const int needed = label->heightForWidth(r.width());
            if (needed > r.height())
                r.setHeight(needed);
            w->setGeometry(r);
            return;
        }
        const int needed = widthForText(w);
        if (needed <= r.width())
            return;
        const int more = needed - r.width();
        switch (growthOf(w, english_)) {
        case Growth::Right:
            r.setWidth(needed);
            break;
        case Growth::Left:
            r.setLeft(r.left() - more);
            break;
        case Growth::Both:
            r.setLeft(r.left() - more / 2);
            r.setWidth(needed);
            break;
        }
        w->setGeometry(r);
    }

    // Moves the siblings that `grown` now covers out of its way, and then the
    // ones those cover in turn.
    void pushAway(QWidget* grown, const QRect& old, const QList<QWidget*>& kids,
                  const QHash<QWidget*, QRect>& before, int depth)
    {
        if (depth > 64)
            return;
        const QRect now = grown->geometry();
        for (QWidget* s : kids) {
            if (s == grown || isFigure(s) || isFigure(grown))
                continue;
            const QRect sr = s->geometry();
            if (!sr.intersects(now) || before.value(s).intersects(before.value(grown)))
                continue;
            if ((holdsOthers(s) && sr.contains(now)) || (holdsOthers(grown) && now.contains(sr)))
                continue;
            QRect moved = sr;
            const bool sideBySide = sr.bottom() >= old.top() && sr.top() <= old.bottom() &&
                                    (sr.right() < old.left() || sr.left() > old.right());
            if (sideBySide || !(sr.top() > old.top())) {
                const bool toTheLeft = sr.center().x() < old.center().x();
                if (toTheLeft)
                    moved.moveRight(now.left() - std::min(kGap, old.left() - sr.right()));
                else
                    moved.moveLeft(now.right() +
                                   std::min(kGap, std::max(1, sr.left() - old.right())));
            } else {
                moved.moveTop(now.bottom() + std::min(kGap, std::max(1, sr.top() - old.bottom())));
            }
            s->setGeometry(moved);
            pushAway(s, sr, kids, before, depth + 1);
        }
    }

    // Controls that the design lays over each other (a label's box reaching
    // under the box beside it): the one with room to spare gives it up on the
    // side facing the other; where neither has, the later one moves away.
    void separate(const QList<QWidget*>& kids, const QHash<QWidget*, QRect>& before)
    {
        for (qsizetype i = 0; i < kids.size(); ++i)
            for (qsizetype j = i + 1; j < kids.size(); ++j) {
                QWidget* a = kids[i];
                QWidget* b = kids[j];
                const QRect ar = a->geometry(), br = b->geometry();
                if (!ar.intersects(br) || isFigure(a) || isFigure(b) ||
                    (holdsOthers(a) && ar.contains(br)) || (holdsOthers(b) && br.contains(ar)))
                    continue;
                const QRect both = ar.intersected(br);
                if (both.width() <= both.height())
                    separateAcross(ar.center().x() <= br.center().x() ? a : b,
                                   ar.center().x() <= br.center().x() ? b : a, kids, before);
                else
                    separateDown(ar.center().y() <= br.center().y() ? a : b,
                                 ar.center().y() <= br.center().y() ? b : a, kids, before);
            }
    }

    static int spareWidth(const QWidget* w)
    {
        if (!qobject_cast<const QLabel*>(w) && !qobject_cast<const QAbstractButton*>(w))
            return 0;
        return w->width() - widthForText(w);
    }

    static int spareHeight(const QWidget* w)
    {
        auto* label = qobject_cast<const QLabel*>(w);
        if (!label || !label->pixmap().isNull())
            return 0;
        return w->height() - label->sizeHint().height();
    }

    void separateAcross(QWidget* left, QWidget* right, const QList<QWidget*>& kids,
                        const QHash<QWidget*, QRect>& before)
    {
        const int overlap = left->geometry().right() - right->geometry().left() + 1;
        if (spareWidth(left) >= overlap) {
            left->resize(left->width() - overlap, left->height());
        } else if (spareWidth(right) >= overlap) {
            QRect r = right->geometry();
            r.setLeft(r.left() + overlap);
            right->setGeometry(r);
        } else {
            QWidget* moving = english_ ? right : left;
            const QRect old = moving->geometry();
            moving->move(moving->x() + (english_ ? overlap : -overlap), moving->y());
            pushAway(moving, old, kids, before, 0);
        }
    }

    void separateDown(QWidget* upper, QWidget* lower, const QList<QWidget*>& kids,
                      const QHash<QWidget*, QRect>& before)
    {
        const int overlap = upper->geometry().bottom() - lower->geometry().top() + 1;
        if (spareHeight(upper) >= overlap) {
            upper->resize(upper->width(), upper->height() - overlap);
        } else if (spareHeight(lower) >= overlap) {
            QRect r = lower->geometry();
            r.setTop(r.top() + overlap);
            lower->setGeometry(r);
        } else {
            const QRect old = lower->geometry();
            lower->move(lower->x(), lower->y() + overlap);
            pushAway(lower, old, kids, before, 0);
        }
    }

    // Grows `container` so that every child lies inside it again.
    void holdChildren(QWidget* container, const QList<QWidget*>& kids,
                      const QHash<QWidget*, QRect>& before, bool topLevel)
    {
        int left = 0, right = container->width() - 1, bottom = container->height() - 1;
        int marginLeft = kGap, marginRight = kGap, marginBottom = kGap;
        for (QWidget* w : kids) {
            // What the design itself puts past the edge stays there.
            if (isFigure(w) || w->geometry() == before.value(w))
                continue;
            const QRect was = before.value(w);
            const QRect r = w->geometry();
            if (r.left() < left) {
                left = r.left();
                marginLeft = std::clamp(was.left(), 0, kGap * 2);
            }
            if (r.right() > right) {
                right = r.right();
                marginRight = std::clamp(container->width() - 1 - was.right(), 0, kGap * 2);
            }
            if (r.bottom() > bottom) {
                bottom = r.bottom();
                marginBottom = std::clamp(container->height() - 1 - was.bottom(), 0, kGap * 2);
            }
        }
        const int addLeft = left < 0 ? marginLeft - left : 0;
        const int addRight =
            right > container->width() - 1 ? right - (container->width() - 1) + marginRight : 0;
        const int addBottom = bottom > container->height() - 1
                                  ? bottom - (container->height() - 1) + marginBottom
                                  : 0;
        if (!addLeft && !addRight && !addBottom)
            return;
        if (addLeft)
            for (QWidget* w : shownChildren(container))
                w->move(w->x() + addLeft, w->y());
        const QSize size(container->width() + addLeft + addRight, container->height() + addBottom);
        if (topLevel) {
            if (container->minimumSize() == container->maximumSize())
                container->setFixedSize(size);
            else
                container->resize(size);
            return;
        }
        // A frame keeps the edge its texts read from, as a control does.
        QRect r = container->geometry();
        r.setLeft(r.left() - (english_ ? 0 : addLeft + addRight));
        r.setWidth(size.width());
        r.setHeight(size.height());
        container->setGeometry(r);
    }

    bool english_;
};

} // namespace

int widthForText(const QWidget* w)
{
    const int frame = [w] {
        if (auto* f = qobject_cast<const QFrame*>(w))
            return w->width() - f->contentsRect().width();
        return 0;
    }();
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull() || label->wordWrap())
            return 0;
        const int flags = label->buddy() ? Qt::TextShowMnemonic : 0;
        return textWidth(w, label->text(), flags) + 2 * label->margin() + frame + kSpare;
    }
    if (auto* button = qobject_cast<const QPushButton*>(w)) {
        if (button->text().isEmpty())
            return 0;
        return textWidth(w, button->text(), Qt::TextShowMnemonic) + 2 * kButtonClearance;
    }
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))
        return static_cast<const QAbstractButton*>(w)->text().isEmpty()
                   ? 0
                   : w->sizeHint().width() + kSpare;
    if (auto* box = qobject_cast<const QGroupBox*>(w))
        return box->title().isEmpty()
                   ? 0
                   : textWidth(w, box->title(), Qt::TextShowMnemonic) + 2 * 8 + kSpare;
    if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        int widest = 0;
        for (int i = 0; i < combo->count(); ++i)
            widest = std::max(widest, textWidth(w, combo->itemText(i)));
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        return widest + (combo->width() - field.width()) + 4 + kSpare;
    }
    return 0;
}

void setElidedText(QLabel* label, const QString& text)
{
    if (!label->property(kWholeText).isValid()) {
        QSizePolicy policy = label->sizePolicy();
        policy.setHorizontalPolicy(QSizePolicy::Ignored);
        label->setSizePolicy(policy);
        label->installEventFilter(new ElideOnResize(label));
    }
    label->setProperty(kWholeText, text);
    label->setToolTip(text);
    elide(label);
}

namespace {

// An entry box, a list or a button: a control that a caption names.
bool isField(const QWidget* w)
{
    return !qobject_cast<const QLabel*>(w) && !holdsOthers(w) && !isFigure(w);
}

// A caption whose text stands against the edge of a field beside it in its
// row (an Arabic caption aligned to its right edge, whose design left no room
// on that side) is given room on that side, out of the room its text leaves
// spare in it. Only where that is less than the least gap does the room
// making that follows widen it.
void keepCaptionsOffFields(QWidget* container)
{
    if (!placesByHand(container))
        return;
    const QList<QWidget*> kids = shownChildren(container);
    for (QWidget* w : kids) {
        keepCaptionsOffFields(w);
        auto* label = qobject_cast<QLabel*>(w);
        if (!label || widthForText(label) == 0 || holdsOthers(label))
            continue;
        const Qt::Alignment align = shownAlignment(label);
        if (align & Qt::AlignHCenter)
            continue;
        const bool right = (align & Qt::AlignRight) != 0;
        const QRect g = label->geometry();
        int nearest = kCaptionGap, farthest = kCaptionGap;
        for (QWidget* other : kids) {
            const QRect o = other->geometry();
            if (other == w || !isField(other) || o.bottom() < g.top() || o.top() > g.bottom())
                continue;
            const int distance = right ? o.left() - (g.right() + 1) : g.left() - (o.right() + 1);
            if (distance >= 0 && distance < nearest)
                nearest = distance;
            const int across = right ? g.left() - (o.right() + 1) : o.left() - (g.right() + 1);
            if (across >= 0 && across < farthest)
                farthest = across;
        }
        const int spare = std::max(label->width() - widthForText(label), 0);
        const int room =
            std::max(std::min(kCaptionGap - nearest, spare), kLeastCaptionGap - nearest);
        QMargins m = label->contentsMargins();
        if (room > 0)
            (right ? m.setRight(m.right() + room) : m.setLeft(m.left() + room));
        // The text's other end, where the label's edge abuts a field: the
        // least gap there too, the label widened for it where it lacks the room.
        const int endGap = farthest + std::max(spare - std::max(room, 0), 0) + kSpare;
        if (endGap < kLeastCaptionGap)
            (right ? m.setLeft(m.left() + kLeastCaptionGap - endGap)
                   : m.setRight(m.right() + kLeastCaptionGap - endGap));
        label->setContentsMargins(m);
    }
}

} // namespace

void makeRoomForTexts(QWidget* window, bool english)
{
    keepCaptionsOffFields(window);
    RoomMaker maker(english);
    if (window->layout())
        maker.fitLaidOut(window);
    else
        maker.fit(window, true);
}

Qt::Alignment shownAlignment(const QLabel* label)
{
    const bool plain = label->textFormat() == Qt::PlainText ||
                       (label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(label->text()));
    const Qt::LayoutDirection direction =
        plain && !(label->textInteractionFlags() &
                   (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard))
            ? (label->text().isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight)
            : label->layoutDirection();
    return QStyle::visualAlignment(direction, label->alignment());
}

} // namespace platform
