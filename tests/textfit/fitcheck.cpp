#include "fitcheck.h"

#include <algorithm>
#include <cmath>

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGlyphRun>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTextLayout>
#include <QTreeView>
#include <QWidget>

#include "platform/qt/textroom.h"

namespace fitcheck {

using platform::shownAlignment;

namespace {

// Half a pixel of slack for the rounding of fractional glyph positions.
constexpr double kSlack = 0.5;

// The least room, in pixels, between a caption's text and a control beside it;
// and the room it keeps from a control that its label's edge abuts, on the side
// the text is aligned to, where the label has the room spare (about a hundred
// twips, the air the designs leave between a box and a caption; a pixel less
// for the rounding of twips).
constexpr double kMinimumGap = 3;
constexpr double kCaptionGap = 6;

QString describe(const QWidget* w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

QString quoted(const QString& text)
{
    return QStringLiteral(" \"") + text + QStringLiteral("\"");
}

bool shows(const QWidget* w, const QWidget* window)
{
    return w->isVisibleTo(window) && !w->isWindow() && w->width() > 0 && w->height() > 0;
}

// The lines of `text` as a painter lays them out in `area` with `flags`:
// each must fit the area's width, and its ink the area's height.
void checkLines(QStringList& faults, const QWidget* w, const QString& what, const QString& text,
                const QRectF& area, Qt::Alignment align)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    std::vector<LineInk> inks;
    double total = 0;
    for (const QString& line : lines) {
        inks.push_back(measureLine(line, w));
        total += inks.back().height;
    }
    // A carriage return or tab is drawn as a character of its own.
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\t')))
        faults << describe(w) + QStringLiteral(": %1 holds a control character").arg(what) +
                      quoted(text);
    // Blanks that padded a line for the design's font show as a gap here.
    static const QRegularExpression gap(QStringLiteral("\\S {3,}\\S"));
    if (gap.match(text).hasMatch())
        faults << describe(w) + QStringLiteral(": %1 has a gap of blanks").arg(what) + quoted(text);
    double top = area.top();
    if (align & Qt::AlignVCenter)
        top += (area.height() - total) / 2;
    else if (align & Qt::AlignBottom)
        top += area.height() - total;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const LineInk& ink = inks[i];
        if (ink.advance > area.width() + kSlack)
            faults << describe(w) +
                          QStringLiteral(": %1 is %2 px wide in %3 px")
                              .arg(what)
                              .arg(std::ceil(ink.advance))
                              .arg(area.width()) +
                          quoted(lines[i]);
        if (!lines[i].trimmed().isEmpty() && (top + ink.inkTop < area.top() - kSlack ||
                                              top + ink.inkBottom > area.bottom() + 1 + kSlack))
            faults << describe(w) + QStringLiteral(": %1 is cut at the top or bottom").arg(what) +
                          quoted(lines[i]);
        top += ink.height;
    }
}

void checkLabel(QStringList& faults, const QLabel* label)
{
    if (label->text().isEmpty() || !label->pixmap().isNull())
        return;
    QString text = label->text();
    if (Qt::mightBeRichText(text) && label->textFormat() != Qt::PlainText)
        return;
    if (label->buddy())
        text = shownText(text);
    const int m = label->margin();
    QRectF area = QRectF(label->contentsRect()).adjusted(m, m, -m, -m);
    const Qt::Alignment align = shownAlignment(label);
    if (label->wordWrap()) {
        // The words as the label wraps them at its width.
        QTextLayout layout(text, label->font());
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QStringList lines;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            lines << text.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        text = lines.join(QLatin1Char('\n'));
    }
    checkLines(faults, label, QStringLiteral("text"), text, area, align);
}

void checkButton(QStringList& faults, QAbstractButton* button)
{
    if (button->text().isEmpty())
        return;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    Qt::Alignment align = Qt::AlignCenter;
    if (qobject_cast<QCheckBox*>(button)) {
        element = QStyle::SE_CheckBoxContents;
        align = Qt::AlignVCenter;
    } else if (qobject_cast<QRadioButton*>(button)) {
        element = QStyle::SE_RadioButtonContents;
        align = Qt::AlignVCenter;
    }
    QRect area = button->style()->subElementRect(element, &option, button);
    if (element == QStyle::SE_PushButtonContents) {
        // A caption that runs up to the bevel reads as cut: it keeps six
        // pixels from the button's edge on each side.
        area &= button->rect().adjusted(6, 1, -6, -1);
    }
    checkLines(faults, button, QStringLiteral("caption"), shownText(button->text()), area, align);
    if (element == QStyle::SE_PushButtonContents) {
        // Where the style really draws it: beside an icon the caption is
        // placed by the style, not centred in the contents.
        const DrawnSpan drawn = drawnText(button, QPalette::ButtonText);
        if (!drawn.isEmpty() && std::min(drawn.leftGap(), drawn.rightGap()) < kBorderGap)
            faults << describe(button) +
                          QStringLiteral(": caption drawn %1 px from the left border, %2 px "
                                         "from the right")
                              .arg(drawn.leftGap())
                              .arg(drawn.rightGap()) +
                          quoted(button->text());
    }
}

void checkGroupBox(QStringList& faults, QGroupBox* box)
{
    if (box->title().isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    const LineInk ink = measureLine(shownText(box->title()), box);
    // The frame's line runs on each side of its title: the title needs the
    // box's width less a corner at each end.
    const double room = box->width() - 2 * 6;
    if (ink.advance > room + kSlack || label.left() < 0 || label.right() >= box->width())
        faults << describe(box) +
                      QStringLiteral(": title is %1 px wide in %2 px")
                          .arg(std::ceil(ink.advance))
                          .arg(room) +
                      quoted(box->title());
}

void checkComboBox(QStringList& faults, QComboBox* combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.subControls = QStyle::SC_All;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    // A drop-down list draws its entry two pixels in from the field's edge.
    const double room = field.width() - (combo->isEditable() ? 4 : 2);
    for (int i = 0; i < combo->count(); ++i) {
        const QString item = combo->itemText(i);
        const LineInk ink = measureLine(item, combo);
        if (ink.advance > room + kSlack)
            faults << describe(combo) +
                          QStringLiteral(": entry is %1 px wide in %2 px")
                              .arg(std::ceil(ink.advance))
                              .arg(room) +
                          quoted(item);
    }
}

// A list of several columns (the files of Qt's file dialog): each header and
// each cell after the first column shows whole in its column; a name in the
// first column may be shortened, as file dialogs do.
void checkColumns(QStringList& faults, QTreeView* view)
{
    const QHeaderView* header = view->header();
    const QAbstractItemModel* model = view->model();
    const QModelIndex root = view->rootIndex();
    for (int column = 0; column < model->columnCount(root); ++column) {
        if (header->isSectionHidden(column) || header->sectionSize(column) <= 0)
            continue;
        const QString title = model->headerData(column, Qt::Horizontal).toString();
        // The header keeps a margin on each side, and the sorted column the
        // room of its arrow.
        double room = header->sectionSize(column) -
                      2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        if (header->isSortIndicatorShown() && header->sortIndicatorSection() == column)
            room -= header->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header) +
                    header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        const LineInk ink = measureLine(title, header);
        if (ink.advance > room + kSlack)
            faults << describe(view) +
                          QStringLiteral(": header is %1 px wide in %2 px")
                              .arg(std::ceil(ink.advance))
                              .arg(room) +
                          quoted(title);
        if (column == 0)
            continue;
        const double cellRoom = header->sectionSize(column) - 2 * 3;
        for (int row = 0; row < model->rowCount(root); ++row) {
            const QString cell = model->index(row, column, root).data().toString();
            const LineInk cellInk = measureLine(cell, view);
            if (cellInk.advance > cellRoom + kSlack)
                faults << describe(view) +
                              QStringLiteral(": cell is %1 px wide in %2 px")
                                  .arg(std::ceil(cellInk.advance))
                                  .arg(cellRoom) +
                              quoted(cell);
        }
    }
}

void checkList(QStringList& faults, QAbstractItemView* view)
{
    if (qobject_cast<QComboBox*>(view->parentWidget()) || !view->model() ||
        qobject_cast<QHeaderView*>(view))
        return;
    if (auto* tree = qobject_cast<QTreeView*>(view);
        tree && !tree->isHeaderHidden() && tree->model()->columnCount(tree->rootIndex()) > 1) {
        checkColumns(faults, tree);
        return;
    }
    const QAbstractItemModel* model = view->model();
    // An entry is drawn a few pixels in from the list's edge.
    const double room = view->viewport()->width() - 2 * 3;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString item = model->index(row, 0).data().toString();
        const LineInk ink = measureLine(item, view);
        if (ink.advance > room + kSlack)
            faults << describe(view) +
                          QStringLiteral(": entry is %1 px wide in %2 px")
                              .arg(std::ceil(ink.advance))
                              .arg(room) +
                          quoted(item);
    }
}

bool isLine(const QWidget* w)
{
    auto* frame = qobject_cast<const QFrame*>(w);
    return frame && (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine);
}

// Lines and figures drawn on the window.
bool isDrawing(const QWidget* w)
{
    return w->testAttribute(Qt::WA_TransparentForMouseEvents) || isLine(w);
}

// A frame or a picture that holds other controls laid over it.
bool holdsOthers(const QWidget* w)
{
    if (qobject_cast<const QGroupBox*>(w))
        return true;
    if (auto* label = qobject_cast<const QLabel*>(w))
        return !label->pixmap().isNull() || label->property("picture").toBool();
    // A plain frame groups the controls laid on it, with a border or without.
    if (w->metaObject() == &QFrame::staticMetaObject)
        return !isLine(w);
    return w->property("picture").toBool();
}

// Children of `parent` that the window shows and places by hand (a layout
// places its own without overlap).
QList<QWidget*> placedChildren(QWidget* parent, const QWidget* window)
{
    QList<QWidget*> kids;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && shows(w, window))
            kids << w;
    return kids;
}

void checkOverlaps(QStringList& faults, QWidget* parent, const QWidget* window)
{
    const QList<QWidget*> kids = placedChildren(parent, window);
    if (!parent->layout()) {
        const QRect room = parent->rect();
        for (QWidget* w : kids)
            if (!room.contains(w->geometry()) && !isDrawing(w))
                faults << describe(w) + QStringLiteral(" reaches outside ") + describe(parent);
        for (qsizetype i = 0; i < kids.size(); ++i)
            for (qsizetype j = i + 1; j < kids.size(); ++j) {
                QWidget* a = kids[i];
                QWidget* b = kids[j];
                if (!a->geometry().intersects(b->geometry()) || isDrawing(a) || isDrawing(b))
                    continue;
                if ((holdsOthers(a) && a->geometry().contains(b->geometry())) ||
                    (holdsOthers(b) && b->geometry().contains(a->geometry())))
                    continue;
                faults << describe(a) + QStringLiteral(" overlaps ") + describe(b);
            }
    }
    for (QWidget* w : kids)
        if (!qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QComboBox*>(w))
            checkOverlaps(faults, w, window);
}

// A control that takes input or a click: an entry box, a list, a button.
bool isField(const QWidget* w)
{
    return !qobject_cast<const QLabel*>(w) && !qobject_cast<const QGroupBox*>(w) && !isDrawing(w) &&
           w->metaObject() != &QFrame::staticMetaObject && !w->property("picture").toBool();
}

// The horizontal span that a one-line label's text takes, in its parent, and
// the room that its label leaves beside it: `spare` pixels on the side away
// from the edge it is aligned to, which `aligned` names (left or right; none
// for a centred text).
struct TextSpan {
    double left = 0;
    double right = 0;
    double spare = 0;
    Qt::Alignment aligned;
};

bool textSpan(const QLabel* label, TextSpan& span)
{
    if (label->text().isEmpty() || !label->pixmap().isNull() || label->wordWrap() ||
        (Qt::mightBeRichText(label->text()) && label->textFormat() != Qt::PlainText))
        return false;
    const QString text = label->buddy() ? shownText(label->text()) : label->text();
    double advance = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        advance = std::max(advance, measureLine(line, label).advance);
    const int m = label->margin();
    const QRectF area = QRectF(label->contentsRect()).adjusted(m, m, -m, -m);
    const Qt::Alignment align = shownAlignment(label);
    double left = area.left();
    span.aligned = Qt::AlignLeft;
    if (align & Qt::AlignRight) {
        left = area.right() - advance;
        span.aligned = Qt::AlignRight;
    } else if (align & Qt::AlignHCenter) {
        left = area.center().x() - advance / 2;
        span.aligned = {};
    }
    span.spare = std::max(area.width() - advance, 0.0);
    span.left = left + label->x();
    span.right = span.left + advance;
    return true;
}

void checkGaps(QStringList& faults, QWidget* parent, const QWidget* window)
{
    const QList<QWidget*> kids = placedChildren(parent, window);
    for (QWidget* w : kids) {
        auto* label = qobject_cast<QLabel*>(w);
        TextSpan span;
        if (label && textSpan(label, span)) {
            for (QWidget* other : kids) {
                const QRect g = other->geometry();
                if (other == w || !isField(other) || g.bottom() < w->y() ||
                    g.top() > w->geometry().bottom())
                    continue;
                const bool onRight = g.left() >= span.right;
                const double gap = onRight                      ? g.left() - span.right
                                   : g.right() + 1 <= span.left ? span.left - (g.right() + 1)
                                                                : -1;
                if (gap < 0)
                    continue;
                // The text stands against its label's edge, and that edge
                // against the control: the label's spare room keeps the air.
                const QRect l = w->geometry();
                const int edgeGap =
                    onRight ? g.left() - (l.right() + 1) : l.left() - (g.right() + 1);
                const bool alignedToIt =
                    span.aligned == (onRight ? Qt::AlignRight : Qt::AlignLeft) &&
                    edgeGap < kMinimumGap && gap - edgeGap < kMinimumGap;
                const double wanted =
                    alignedToIt ? std::max(kMinimumGap, std::min(kCaptionGap, gap + span.spare))
                                : kMinimumGap;
                if (gap + kSlack < wanted)
                    faults << describe(w) +
                                  QStringLiteral(": text %1 px from ").arg(gap, 0, 'f', 1) +
                                  describe(other) + quoted(label->text());
            }
        }
        if (!qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QComboBox*>(w))
            checkGaps(faults, w, window);
    }
}

} // namespace

QString shownText(const QString& caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

LineInk measureLine(const QString& text, const QWidget* w)
{
    QTextLayout layout(text, w->font());
    QTextOption option;
    option.setTextDirection(w->layoutDirection());
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLeadingIncluded(true);
    layout.endLayout();
    LineInk ink;
    ink.advance = line.naturalTextWidth();
    ink.height = line.height();
    // The ink of each glyph, not the run's ascent and descent.
    QRectF box;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i)
            box |= font.boundingRect(glyphs[i]).translated(positions[i]);
    }
    ink.inkTop = box.isNull() ? 0 : box.top();
    ink.inkBottom = box.isNull() ? 0 : box.bottom();
    return ink;
}

DrawnSpan drawnText(QWidget* w, QPalette::ColorRole role)
{
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        // The cursor is drawn in the text's colour, a selection in another.
        edit->deselect();
        edit->clearFocus();
    }
    const QPalette original = w->palette();
    const bool ownPalette = w->testAttribute(Qt::WA_SetPalette);
    const auto drawnIn = [&](Qt::GlobalColor colour) {
        QPalette palette = original;
        palette.setColor(role, colour);
        w->setPalette(palette);
        return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage dark = drawnIn(Qt::black);
    const QImage light = drawnIn(Qt::white);
    w->setPalette(ownPalette ? original : QPalette());
    DrawnSpan span;
    span.width = w->width();
    const double ratio = dark.devicePixelRatio();
    span.left = span.width;
    span.height = w->height();
    span.top = span.height;
    bool previousRowInked = false;
    for (int y = 0; y < dark.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(dark.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(light.constScanLine(y));
        bool inked = false;
        for (int x = 0; x < dark.width(); ++x)
            if (a[x] != b[x]) {
                span.left = std::min(span.left, static_cast<int>(std::floor(x / ratio)));
                span.right = std::max(span.right, static_cast<int>(std::floor(x / ratio)));
                inked = true;
            }
        if (inked) {
            span.top = std::min(span.top, static_cast<int>(std::floor(y / ratio)));
            span.bottom = std::max(span.bottom, static_cast<int>(std::floor(y / ratio)));
            if (!previousRowInked)
                ++span.bands;
        }
        previousRowInked = inked;
    }
    return span;
}

QStringList textFaults(QWidget* window)
{
    QStringList faults;
    QList<QWidget*> all = window->findChildren<QWidget*>();
    for (QWidget* w : all) {
        if (!shows(w, window) || w->window() != window)
            continue;
        if (auto* label = qobject_cast<QLabel*>(w))
            checkLabel(faults, label);
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            checkButton(faults, button);
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            checkGroupBox(faults, box);
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            checkComboBox(faults, combo);
        else if (auto* view = qobject_cast<QAbstractItemView*>(w))
            checkList(faults, view);
    }
    return faults;
}

QStringList overlapFaults(QWidget* window)
{
    QStringList faults;
    checkOverlaps(faults, window, window);
    return faults;
}

QStringList gapFaults(QWidget* window)
{
    QStringList faults;
    checkGaps(faults, window, window);
    return faults;
}

} // namespace fitcheck
