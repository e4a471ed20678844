#include "dialogs/up_down_bar.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace dialogs {
namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);  // the field keeps the focus; its keys step too
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    button->setFixedWidth(16);
    return button;
}

}  // namespace

UpDownBar::UpDownBar(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QToolButton* up = ArrowButton(Qt::UpArrow, this);
    QToolButton* down = ArrowButton(Qt::DownArrow, this);
    layout->addWidget(up);
    layout->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { emit Stepped(1); });
    connect(down, &QToolButton::clicked, this, [this] { emit Stepped(-1); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

void UpDownBar::AttachTo(QLineEdit* field) {
    field->installEventFilter(this);
}

bool UpDownBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !isEnabled())
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
    emit Stepped(key == Qt::Key_Up ? 1 : -1);
    return true;
}

}  // namespace dialogs
