#include "dialogsupport.h"

#include <cmath>

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

#include "platform/qt/messagebox.h"
#include "platform/qt/settingstext.h"

namespace dialogs {

namespace {

// Selects the whole text once the focus has arrived: a mouse click that
// brought the focus would otherwise put the cursor where it landed.
class WholeTextOnFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto* box = static_cast<QLineEdit*>(watched);
            box->selectAll();
            QTimer::singleShot(0, box, [box] {
                if (box->hasFocus())
                    box->selectAll();
            });
        }
        return false;
    }
};

double dpiScale()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() / 96.0 : 1.0;
}

} // namespace

QComboBox* numberList(QWidget* parent, const char* name, int first, int last, bool editable)
{
    auto* list = make<QComboBox>(parent, name);
    list->setEditable(editable);
    for (int i = first; i <= last; ++i)
        list->addItem(QString::number(i));
    return list;
}

int twips(int value)
{
    static const double scale = dpiScale();
    return static_cast<int>(std::lround(value / 15.0 * scale));
}

void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

void setLeft(QWidget* w, int left)
{
    w->move(twips(left), w->y());
}

void setLeftWidth(QWidget* w, int left, int width)
{
    w->setGeometry(twips(left), w->y(), twips(width), w->height());
}

void mirrorChildren(QWidget* container)
{
    const int width = container->width();
    for (QObject* child : container->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow())
            continue;
        w->move(width - w->x() - w->width(), w->y());
        if (qobject_cast<QGroupBox*>(w))
            mirrorChildren(w);
    }
}

void setRightToLeft(QWidget* w, bool alignRight)
{
    // Without AlignAbsolute a right-to-left widget would swap right for left.
    constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignAbsolute;
    w->setLayoutDirection(Qt::RightToLeft);
    if (!alignRight)
        return;
    if (auto* label = qobject_cast<QLabel*>(w))
        label->setAlignment((label->alignment() & ~Qt::AlignHorizontal_Mask) | kRight);
    else if (auto* box = qobject_cast<QLineEdit*>(w))
        box->setAlignment((box->alignment() & ~Qt::AlignHorizontal_Mask) | kRight);
    // Option buttons and check boxes: the right-to-left direction already puts
    // the button and its caption at the right edge.
}

void selectWholeTextOnFocus(QLineEdit* box)
{
    box->installEventFilter(new WholeTextOnFocus(box));
}

void setOption(QRadioButton* option, bool selected)
{
    if (option->isChecked() == selected)
        return;
    if (selected) {
        option->setChecked(true);
        return;
    }
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

void setListText(QComboBox* list, const QString& text)
{
    if (list->isEditable()) {
        list->setCurrentIndex(list->findText(text, Qt::MatchExactly));
        list->setEditText(text);
        return;
    }
    list->setCurrentIndex(list->findText(text, Qt::MatchExactly));
}

double boxNumber(const QString& text)
{
    return settings::lenientNumber(text.toStdString());
}

QString numberText(double value)
{
    return QString::fromStdString(settings::formatNumber(value));
}

QString fieldText(const settings::SettingsField& field)
{
    using Kind = settings::SettingsField::Kind;
    switch (field.kind()) {
    case Kind::Empty:
        return {};
    case Kind::Number:
        return numberText(field.asNumber());
    case Kind::Truth:
        return field.asTruth() ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Text:
    case Kind::Unreadable:
        break;
    }
    return platform::settingsText(field.asText());
}

void warn(QWidget* parent, bool english, const QString& englishText, const QString& englishTitle,
          const QString& arabicText, const QString& arabicTitle)
{
    platform::msgBox(parent, english ? englishText : arabicText,
                     english ? englishTitle : arabicTitle, english, platform::MsgIcon::Warning);
}

bool askYesNo(QWidget* parent, bool english, const QString& englishText,
              const QString& englishTitle, const QString& arabicText, const QString& arabicTitle)
{
    return platform::msgBox(parent, english ? englishText : arabicText,
                            english ? englishTitle : arabicTitle, english,
                            platform::MsgIcon::Warning,
                            platform::MsgButtons::YesNo) == platform::MsgAnswer::Yes;
}

void reportSaveFailure(QWidget* parent, bool english, const QString& file,
                       const std::string& reason)
{
    const QString why = platform::reasonText(reason, english);
    platform::msgBox(parent,
                     english ? QStringLiteral("The settings could not be saved in %1: %2\n"
                                              "Nothing was changed.")
                                   .arg(file, why)
                             : QStringLiteral("تعذر حفظ الإعدادات في الملف %1: %2\n"
                                              "لم يتم تغيير شيء")
                                   .arg(platform::pathInMessage(file, false), why),
                     english ? QStringLiteral("Save Error") : QStringLiteral("خطأ"), english,
                     platform::MsgIcon::Critical);
}

void reportReadFailure(QWidget* parent, bool english, const QString& file, const QString& why)
{
    const QString because = why.isEmpty() ? QString() : why + QChar('\n');
    platform::msgBox(parent,
                     english
                         ? QStringLiteral("The file %1 can not be read.\n%2Nothing was changed.")
                               .arg(file, because)
                         : QStringLiteral("تعذرت قراءة الملف %1.\n%2لم يتم تغيير شيء")
                               .arg(platform::pathInMessage(file, false), because),
                     english ? QStringLiteral("File Error") : QStringLiteral("خطأ"), english,
                     platform::MsgIcon::Critical);
}

bool refuseOverflow(QWidget* parent, bool english, const QString& boxText, QWidget* box,
                    const QString& englishText, const QString& englishTitle,
                    const QString& arabicText, const QString& arabicTitle, QWidget* elsewhere)
{
    if (!settings::lenientNumberOverflows(boxText.toStdString()))
        return false;
    warn(parent, english, englishText, englishTitle, arabicText, arabicTitle);
    // A disabled box cannot take the focus: it goes to the control that
    // enables it, so the user is one step from mending the number.
    QWidget* target = box->isEnabled() || !elsewhere ? box : elsewhere;
    target->setFocus();
    return true;
}

bool refuseLineEnd(QWidget* parent, bool english, QLineEdit* box, LineEnds where,
                   const char* englishName, const char* arabicName, const QString& englishTitle,
                   const QString& arabicTitle, QWidget* elsewhere)
{
    static const QRegularExpression anywhere(QStringLiteral("[\r\n]"));
    static const QRegularExpression inside(QStringLiteral("[^\\s][\\s]*[\r\n]\\s*[^\\s]"));
    if (!box->text().contains(where == LineEnds::Anywhere ? anywhere : inside))
        return false;
    warn(
        parent, english,
        QStringLiteral("The box of %1 can not hold a line break!").arg(QLatin1String(englishName)),
        englishTitle,
        QStringLiteral("خانة %1 لا يمكن أن تحتوي على فاصل أسطر").arg(QString::fromUtf8(arabicName)),
        arabicTitle);
    QWidget* target = box->isEnabled() || !elsewhere ? box : elsewhere;
    target->setFocus();
    return true;
}

bool refuseOverflowingBox(QWidget* parent, bool english, std::initializer_list<NamedBox> boxes,
                          const QString& englishTitle, const QString& arabicTitle)
{
    for (const NamedBox& b : boxes) {
        if (refuseOverflow(
                parent, english, b.text, b.box,
                QStringLiteral("The number in the %1 box is too large.")
                    .arg(QLatin1String(b.english)),
                englishTitle,
                QStringLiteral("الرقم في خانة %1 كبير جدا").arg(QString::fromUtf8(b.arabic)),
                arabicTitle))
            return true;
    }
    return false;
}

bool acceptSettingsText(QWidget* parent, bool english, QLineEdit* box)
{
    const QString text = box->text();
    // A line end (pasted with the text) would split a settings line in two.
    const bool lineEnd = text.contains(QChar('\n')) || text.contains(QChar('\r'));
    if (!text.contains(QChar('"')) && !lineEnd)
        return true;
    if (lineEnd)
        warn(parent, english, QStringLiteral("This text can not hold a line break!"),
             QStringLiteral("Text Error"),
             QStringLiteral("لا يمكن أن يحتوي هذا النص على فاصل أسطر"), QStringLiteral("خطأ"));
    else
        warn(parent, english, QStringLiteral("This text can not hold a double quote (\")!"),
             QStringLiteral("Text Error"),
             QStringLiteral("لا يمكن أن يحتوي هذا النص على علامة التنصيص (\")"),
             QStringLiteral("خطأ"));
    box->setFocus();
    return false;
}

} // namespace dialogs
