#include "dialogs/save_option_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "dialogs/dialog_fields.h"
#include "dialogs/modeless_dialog.h"

namespace dialogs {
namespace {

constexpr int kAutoMode = 1047;
constexpr int kAutoModeOn = 1048;

struct GroupBox {
    int id;
    int32_t bit;
    const char* text;
};

// In the order shown; "Auto Mode ON" is indented under "Auto Mode".
constexpr GroupBox kGroups[] = {
    {1045, 1, "Viewpoint"},           {1046, 2, "Time"},
    {1049, 4, "Display Mode"},        {1050, 8, "Location"},
    {kAutoMode, 16, "Auto Mode"},     {kAutoModeOn, 32, "Auto Mode ON"},
    {1051, 64, "Calculation Option"},
};

}  // namespace

SaveOptionDialog::SaveOptionDialog(int32_t saveOption, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("D_SAVEOPTION"));
    setWindowTitle(tr("Save Option"));
    auto* layout = new QVBoxLayout(this);
    for (const GroupBox& group : kGroups) {
        auto* box = WithId<QCheckBox>(group.id, tr(group.text));
        box->setChecked((saveOption & group.bit) != 0);
        if (group.id == kAutoModeOn) {
            auto* indented = new QHBoxLayout;
            indented->addSpacing(box->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 6);
            indented->addWidget(box);
            layout->addLayout(indented);
        } else {
            layout->addWidget(box);
        }
    }
    connect(FindControl<QCheckBox>(*this, kAutoMode), &QCheckBox::toggled, this,
            &SaveOptionDialog::FollowAutoMode);
    FollowAutoMode();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QString::number(kIdOk));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QString::number(kIdCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SaveOptionDialog::FollowAutoMode() {
    FindControl(*this, kAutoModeOn)
        ->setEnabled(FindControl<QCheckBox>(*this, kAutoMode)->isChecked());
}

int32_t SaveOptionDialog::saveOption() const {
    int32_t bits = 0;
    for (const GroupBox& group : kGroups)
        if (FindControl<QCheckBox>(*this, group.id)->isChecked()) bits |= group.bit;
    return bits;
}

bool RunSaveOptionDialog(QWidget* parent, int32_t& saveOption) {
    SaveOptionDialog dialog(saveOption, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    saveOption = dialog.saveOption();
    return true;
}

}  // namespace dialogs
