// The small up and down arrows beside a number field. Each click (held down, it repeats) and each
// Up or Down key typed in the attached field is one step of +1 or -1; the dialog decides what a
// step does, so that values can carry into their neighbours instead of stopping at a limit.
#pragma once

#include <QWidget>

class QLineEdit;

namespace dialogs {

class UpDownBar : public QWidget {
    Q_OBJECT
  public:
    explicit UpDownBar(QWidget* parent = nullptr);

    // Up and Down typed in the field step this bar too.
    void AttachTo(QLineEdit* field);

  signals:
    void Stepped(int delta);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace dialogs
