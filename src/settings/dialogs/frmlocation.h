// The location dialog: the current location (loc.zvd) and the list of named
// locations (loc.txt, one line each). The only writer of both files.
#pragma once

#include <vector>

#include <QDialog>

#include "settings/records.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class frmlocation : public QDialog {
    Q_OBJECT

public:
    explicit frmlocation(QWidget* parent = nullptr);

    // Shown modally by the main window with exec(); saved() tells it to
    // rebuild itself for the new location.

    void Form_Load();
    void List1_Click();
    void cmdadd_Click();
    void cmdmod_Click();
    void cmddel_Click();
    void cmdok_Click();
    void cmdcancel_Click();

signals:
    void saved();

private:
    void createControls();
    void switchToArabic();
    bool boxesAreSavable();
    bool readList(settings::SavedLocationsFile& list);
    bool writeList(const settings::SavedLocationsFile& list);
    bool appendPlace(settings::SavedLocationsFile& list);
    void fillList(const settings::SavedLocationsFile& list);
    void selectEntry(int row);
    void selectName(const QString& name);
    settings::SavedLocation savedFromBoxes() const;
    settings::CurrentLocation currentFromBoxes() const;
    void showSaved(const settings::SavedLocation& loc);

    bool english_ = true;
    // The damaged lines of loc.txt are told of once, at the first reading
    // that finds them; every edit keeps them as they are.
    bool damageTold_ = false;
    // The bytes the name and alpha boxes were filled from: written back as
    // they were while the box still shows them (a name in a single-byte code
    // page keeps its letters).
    std::string nameBytes_, alphaBytes_;
    std::string nameToStore() const;

    QGroupBox *franame, *fralongi, *fralatitude, *fraothers, *fracity, *fraref;
    QLineEdit *txtname, *txtlongid, *txtlongim, *txtlongis, *txtlatid, *txtlatim, *txtlatis;
    QLabel *lbllongid, *lbllongim, *lbllongis, *lbllatid, *lbllatim, *lbllatis;
    QRadioButton *opte, *optw, *optn, *opts;
    QLabel *lblzon, *lblzond, *lblele, *lblelem, *lblcity, *lblcity2;
    QLineEdit *txtzon, *txtele, *txtcity;
    QLabel *lblpre, *lbltem, *lblhum, *lblalpha;
    QLineEdit *txtpre, *txttem, *txthum, *txtalpha;
    QListWidget* List1;
    QLabel *lblmod, *lbladd;
    QFrame *Line1, *Line2;
    QPushButton *cmdok, *cmdadd, *cmdmod, *cmddel, *cmdcancel;
};
