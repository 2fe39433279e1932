// What the settings dialogs and the tool windows share: their controls made
// by name, geometry in twips, the whole-text selection of a box that gets the
// focus, option buttons that may all be unselected, the boxes' number texts,
// and the messages they show.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include <QString>

#include "settings/settingsline.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace dialogs {

// A control of type T named `name` within `parent`, showing `caption`: a frame
// as its title, a control with a text as that text; a list or a line has none.
template <typename T> T* make(QWidget* parent, const char* name, const QString& caption = {})
{
    T* w = new T(parent);
    w->setObjectName(QLatin1String(name));
    if constexpr (requires { w->setTitle(caption); })
        w->setTitle(caption);
    else if constexpr (requires { w->setText(caption); })
        w->setText(caption);
    else
        (void)caption;
    return w;
}

// A drop-down list of the whole numbers first .. last; an editable one also
// takes a number typed into it.
QComboBox* numberList(QWidget* parent, const char* name, int first, int last, bool editable);

// Twips to pixels: 15 twips a pixel at 96 dpi, scaled by the screen's dpi.
int twips(int value);

// Puts `w` at the given place within its parent, in twips.
void place(QWidget* w, int left, int top, int width, int height);
void setLeft(QWidget* w, int left);
void setLeftWidth(QWidget* w, int left, int width);

// Mirrors the children of `container` (and of its frames) left to right.
void mirrorChildren(QWidget* container);

// Right-to-left reading for `w`; `alignRight` also aligns its text right.
void setRightToLeft(QWidget* w, bool alignRight);

// A box that gets the focus selects its whole text.
void selectWholeTextOnFocus(QLineEdit* box);

// Selects or unselects an option button. Unselecting works also when it is
// the selected one of its group, leaving the group without a selection.
void setOption(QRadioButton* option, bool selected);

// A drop-down list shows `text` when it is one of its entries, else nothing;
// an editable list takes the text as it is.
void setListText(QComboBox* list, const QString& text);

// The lenient number of a box's text, and a number as a box shows it.
double boxNumber(const QString& text);
QString numberText(double value);

// A field as a box shows it: nothing for an empty field, numbers in plain
// decimal form, texts as they are.
QString fieldText(const settings::SettingsField& field);

// A warning with an OK button in the interface language.
void warn(QWidget* parent, bool english, const QString& englishText, const QString& englishTitle,
          const QString& arabicText, const QString& arabicTitle);

// A Yes/No question with the warning icon; true for Yes.
bool askYesNo(QWidget* parent, bool english, const QString& englishText,
              const QString& englishTitle, const QString& arabicText, const QString& arabicTitle);

// Tells that `file` could not be written, and why.
void reportSaveFailure(QWidget* parent, bool english, const QString& file,
                       const std::string& reason);

// Tells that `file` exists but cannot be read, so nothing is changed.
void reportReadFailure(QWidget* parent, bool english, const QString& file, const QString& why = {});

// A number in a box that lies beyond the range of numbers ("1e309"), which
// the lenient parse would take as 0: says so in the window's own words, puts
// the focus back into the box (into `elsewhere` while the box is disabled)
// and returns true. False, and nothing shown, for any other text.
bool refuseOverflow(QWidget* parent, bool english, const QString& boxText, QWidget* box,
                    const QString& englishText, const QString& englishTitle,
                    const QString& arabicText, const QString& arabicTitle,
                    QWidget* elsewhere = nullptr);

// Where a number box refuses a line end (pasted with the number): anywhere,
// or only inside its text, between two characters that are no blanks (a
// line end after the number joins nothing).
enum class LineEnds { Anywhere, Inside };

// A number box whose text holds a line end where `where` says, which the
// lenient parse would drop, joining the digits around it ("1", a line end,
// "2" read as 12): says "The box of <name> can not hold a line break!" under
// the window's titles, puts the focus back into the box (into `elsewhere`
// while the box is disabled) and returns true. False, and nothing shown, for
// any other text.
bool refuseLineEnd(QWidget* parent, bool english, QLineEdit* box, LineEnds where,
                   const char* englishName, const char* arabicName, const QString& englishTitle,
                   const QString& arabicTitle, QWidget* elsewhere = nullptr);

// A number box of a tool window, named as its overflow refusal names it.
struct NamedBox {
    QWidget* box;
    QString text;
    const char* english; // "start Year"
    const char* arabic;  // UTF-8
};

// Refuses the first box whose number lies beyond every double with "The
// number in the <name> box is too large." under the window's titles, and
// puts the focus there. True when some box was refused.
bool refuseOverflowingBox(QWidget* parent, bool english, std::initializer_list<NamedBox> boxes,
                          const QString& englishTitle, const QString& arabicTitle);

// Refuses a text that the settings line cannot carry (a double quote or a
// line end): says so, puts the focus back into the box and returns false.
bool acceptSettingsText(QWidget* parent, bool english, QLineEdit* box);

} // namespace dialogs
