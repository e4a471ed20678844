#include "dialogs/dialog_fields.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include <QAbstractButton>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace dialogs {
namespace {

// The number at position p of the text, read as a C library would: blanks, sign, digits.
long long NumberAt(const QByteArray& text, qsizetype p) {
    if (p >= text.size()) return 0;
    return std::strtoll(text.constData() + p, nullptr, 10);
}

void SetRadio(QAbstractButton* button, bool checked) {
    if (!button || button->isChecked() == checked) return;
    // An exclusive radio refuses to be unchecked by itself.
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(checked);
    button->setAutoExclusive(exclusive);
}

}  // namespace

bool SetTextIfChanged(QPlainTextEdit* field, const QString& text) {
    if (!field || field->toPlainText() == text) return false;
    field->setPlainText(text);
    return true;
}

int CheckedRadio(const QWidget& dialog, int firstId, int count) {
    for (int i = 0; i < count; ++i) {
        const auto* button = FindControl<QAbstractButton>(dialog, firstId + i);
        if (button && button->isChecked()) return i;
    }
    return -1;
}

void CheckRadio(const QWidget& dialog, std::initializer_list<int> ids, int index) {
    int i = 0;
    for (int id : ids)
        SetRadio(FindControl<QAbstractButton>(dialog, id), i++ == index);
}

void CheckRadio(const QWidget& dialog, int firstId, int count, int index) {
    for (int i = 0; i < count; ++i)
        SetRadio(FindControl<QAbstractButton>(dialog, firstId + i), i == index);
}

QLineEdit* NumberField(int id, int characters) {
    auto* field = WithId<QLineEdit>(id);
    field->setAlignment(Qt::AlignRight);
    const QFontMetrics metrics(field->font());
    field->setFixedWidth(metrics.horizontalAdvance(QString(characters + 1, QLatin1Char('0'))) + 12);
    return field;
}

int32_t ReadInt(const QString& text) {
    const long long value = std::strtoll(text.toLatin1().constData(), nullptr, 10);
    constexpr long long low = std::numeric_limits<int32_t>::min();
    constexpr long long high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value < low ? low : value > high ? high : value);
}

double ReadDouble(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    // Only plain decimal numbers: strtod would also take "nan", "inf" and hexadecimal.
    const char* p = bytes.constData();
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p == '+' || *p == '-') ++p;
    if (!(*p >= '0' && *p <= '9') && *p != '.') return 0.0;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) return 0.0;
    const double value = std::strtod(bytes.constData(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

double ReadTenths(const QString& text) {
    const double tenths = ReadDouble(text) * 10.0;
    return std::trunc(tenths + std::copysign(1e-9 * std::max(1.0, std::fabs(tenths)), tenths));
}

QHBoxLayout* DefaultButtons(QWidget* dialog, const std::function<void(bool all)>& restore) {
    auto* row = new QHBoxLayout;
    for (const auto& [id, text] : {std::pair{201, "&Default"}, std::pair{202, "Default All"}}) {
        auto* button = WithId<QPushButton>(id, QObject::tr(text));
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, dialog,
                         [restore, all = id == 202] { restore(all); });
        row->addWidget(button);
    }
    row->addStretch();
    return row;
}

void FillFontNames(QComboBox& combo) {
    combo.addItems(QFontDatabase::families());
}

void NaturalOrder(QListWidget& list) {
    list.setSortingEnabled(false);
    for (int i = 0; i < list.count(); ++i) {
        const QByteArray text = list.item(i)->text().toLatin1();
        qsizetype p = 0;
        while (p < text.size() && NumberAt(text, p) == 0)
            ++p;
        if (p >= text.size()) continue;
        const long long n = NumberAt(text, p);
        if (n <= 0) continue;
        const QByteArray prefix = text.left(p);
        int target = -1;
        for (int j = i + 1; j < list.count(); ++j) {
            const QByteArray other = list.item(j)->text().toLatin1();
            // The run ends at the first item without the prefix or without a number after it,
            // so that "Mira" does not count as "M 0".
            const long long number = NumberAt(other, p);
            if (!other.startsWith(prefix) || number < 1) break;
            if (number < n) target = j;
        }
        if (target < 0) continue;
        list.insertItem(target, list.takeItem(i));
        --i;  // the item now at i is examined again
    }
}

}  // namespace dialogs
