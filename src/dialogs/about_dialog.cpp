#include "dialogs/about_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "persist/paths.h"
#include "platform/picture_file.h"

namespace dialogs {
namespace {

constexpr int kBannerWidth = 400;

// The title picture at a width that suits a dialog; none when the data set lacks it.
QLabel* Banner(const std::string& dataDirectory) {
    const QImage picture = platform::ReadPicture(
        QString::fromStdString(persist::JoinPath(dataDirectory, "TITLE256.IMG")));
    if (picture.isNull()) return nullptr;
    auto* label = new QLabel;
    label->setPixmap(
        QPixmap::fromImage(picture.scaledToWidth(kBannerWidth, Qt::SmoothTransformation)));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QString Description(const std::string& dataDirectory) {
    const QString data = QString::fromStdString(dataDirectory).toHtmlEscaped();
    return QStringLiteral(
               "<p><b style='font-size:large'>Planetarium</b> %1</p>"
               "<p>The sky as seen from any place on Earth at any minute: stars, "
               "constellations, deep-sky objects, the Milky Way, the Sun, the Moon, the "
               "planets and comets.</p>"
               "<p>Data set: %2<br>Its catalogues and pictures come from public sources; "
               "their versions, licences and credits are listed in SOURCES.txt there.</p>"
               "<p>Built with Qt %3.</p>")
        .arg(QStringLiteral(PLANETARIUM_VERSION), data, QString::fromLatin1(qVersion()));
}

}  // namespace

AboutDialog::AboutDialog(const std::string& dataDirectory, std::function<void()> openGuide,
                         QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("D_ABOUT"));
    setWindowTitle(QStringLiteral("About Planetarium"));
    auto* layout = new QVBoxLayout(this);
    if (QLabel* banner = Banner(dataDirectory)) layout->addWidget(banner);
    auto* text = new QLabel(Description(dataDirectory));
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setMaximumWidth(kBannerWidth);
    layout->addWidget(text);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QPushButton* guide =
        buttons->addButton(QStringLiteral("&User Guide"), QDialogButtonBox::HelpRole);
    guide->setObjectName(QStringLiteral("userGuide"));
    connect(guide, &QPushButton::clicked, this, [openGuide] {
        if (openGuide) openGuide();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace dialogs
