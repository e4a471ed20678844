#include "dialogs/modeless_dialog.h"

#include <QHBoxLayout>
#include <QLayout>
#include <QPushButton>
#include <QShortcut>

#include "dialogs/dialog_fields.h"
#include "dialogs/dialog_position.h"
#include "shell/program.h"

namespace dialogs {

ModelessDialog::ModelessDialog(shell::Program& program, DialogHost& host, int slot,
                               const QString& caption)
    : QDialog(host.DialogParent(),
              Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      program_(program),
      host_(host),
      slot_(slot) {
    setWindowTitle(caption);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    KeepMinimisedInPlace(*this);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { Help(); });
}

void ModelessDialog::ShowAtSlot() {
    // The final size before the placement, which keeps the whole dialog on the monitor.
    ensurePolished();
    if (layout()) layout()->activate();
    adjustSize();
    PlaceDialog(*this, host_.DialogParent(), program_.options, slot_);
    show();
    raise();
    activateWindow();
}

void ModelessDialog::accept() {
    if (closing_) return;
    Ok();
    Finish();
}

void ModelessDialog::reject() {
    if (closing_) return;
    Cancel();
    Finish();
}

void ModelessDialog::Finish() {
    StoreDialogPosition(*this, host_.DialogParent(), program_.options, slot_);
    closing_ = true;
    close();
}

QHBoxLayout* ModelessDialog::ButtonRow(int32_t* autoApply) {
    auto* row = new QHBoxLayout;
    auto* ok = WithId<QPushButton>(kIdOk, tr("OK"));
    auto* cancel = WithId<QPushButton>(kIdCancel, tr("Cancel"));
    auto* apply = WithId<QPushButton>(kIdApply, tr("&Apply"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ModelessDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ModelessDialog::reject);
    connect(apply, &QPushButton::clicked, this, [this] { Apply(); });
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    row->addWidget(apply);
    autoApply_ = autoApply;
    if (autoApply) {
        auto* autoButton = WithId<QPushButton>(kIdAutoApply, tr("Auto Apply"));
        autoButton->setCheckable(true);
        autoButton->setChecked(*autoApply != 0);
        connect(autoButton, &QPushButton::toggled, this,
                [this](bool on) { *autoApply_ = on ? 1 : 0; });
        row->addWidget(autoButton);
    }
    return row;
}

void ModelessDialog::EditDone() {
    if (!autoApply_ || *autoApply_ == 0) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!closing_) Apply();
        },
        Qt::QueuedConnection);
}

ModelessDialog* OpenDialogs::Find(DialogKind kind) const {
    ModelessDialog* dialog = dialogs_[static_cast<int>(kind)];
    return dialog && !dialog->closing() ? dialog : nullptr;
}

void OpenDialogs::Open(DialogKind kind, const std::function<ModelessDialog*()>& create) {
    if (ModelessDialog* open = Find(kind)) {
        open->Reopened();
        if (open->isMinimized()) open->showNormal();
        open->raise();
        open->activateWindow();
        return;
    }
    ModelessDialog* dialog = create();
    if (!dialog) return;
    dialogs_[static_cast<int>(kind)] = dialog;
    dialog->ShowAtSlot();
}

void OpenDialogs::ViewStateChanged() const {
    for (const QPointer<ModelessDialog>& dialog : dialogs_)
        if (dialog && !dialog->closing()) dialog->ViewStateChanged();
}

void OpenDialogs::DeleteAll() {
    for (QPointer<ModelessDialog>& dialog : dialogs_) {
        if (!dialog) continue;
        // Hidden first, so that a field losing the focus still finds the whole dialog.
        dialog->hide();
        delete dialog.data();
    }
}

}  // namespace dialogs
