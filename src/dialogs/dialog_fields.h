// Working with a dialog's controls. Every control carries its control id as its object name, so
// the dialog code and the tests find it by number. Texts are set only when they differ, so that a
// field the user is typing in is not disturbed by a refresh.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>

#include <QString>
#include <QWidget>

class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace dialogs {

// A new control with its id as object name.
template <class Control, class... Args>
Control* WithId(int id, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)...);
    control->setObjectName(QString::number(id));
    return control;
}

// The control of that id inside the dialog, or nullptr.
template <class Control = QWidget>
Control* FindControl(const QWidget& dialog, int id) {
    return dialog.findChild<Control*>(QString::number(id));
}

// Set the text only when it differs from what the control holds; true when it was set. For
// every control with text() and setText() (fields, labels, buttons), and multi-line fields.
template <class Control>
bool SetTextIfChanged(Control* control, const QString& text) {
    if (!control || control->text() == text) return false;
    control->setText(text);
    return true;
}
bool SetTextIfChanged(QPlainTextEdit* field, const QString& text);

// The index of the first checked button among the count consecutive ids from firstId, or -1.
int CheckedRadio(const QWidget& dialog, int firstId, int count);

// Checks the radio at index of the ids given; an index outside them leaves none checked.
void CheckRadio(const QWidget& dialog, std::initializer_list<int> ids, int index);
// The same for the count consecutive ids from firstId; ids without a control are passed over.
void CheckRadio(const QWidget& dialog, int firstId, int count, int index);

// A right-aligned number field of the given id, wide enough for that many characters.
QLineEdit* NumberField(int id, int characters);

// A typed number: leading blanks, a sign and the digits that follow; anything else reads as 0.
// Integers are held to the 32-bit range; doubles that are not finite read as 0.
int32_t ReadInt(const QString& text);
double ReadDouble(const QString& text);
// A typed decimal in tenths, truncated toward zero: "2.3" is 23 and "-10.37" is -103, although
// 2.3 x 10 falls a hair short of 23 in binary.
double ReadTenths(const QString& text);

// "&Default" (201) and "Default All" (202) in a row; a click calls restore with all false or true.
QHBoxLayout* DefaultButtons(QWidget* dialog, const std::function<void(bool all)>& restore);

// Fills the combo box with the font families of the screen.
void FillFontNames(QComboBox& combo);

// Moves the items of an alphabetically sorted list so that numbers after a shared prefix come in
// numeric order ("M 2" before "M 10"); each item keeps its data. Sorting is switched off.
void NaturalOrder(QListWidget& list);

}  // namespace dialogs
