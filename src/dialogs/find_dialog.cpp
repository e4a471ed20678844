#include "dialogs/find_dialog.h"

#include <algorithm>
#include <functional>
#include <string_view>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "dialogs/dialog_fields.h"
#include "dialogs/dialog_position.h"
#include "platform/help.h"
#include "shell/program.h"
#include "shell/string_table.h"

namespace dialogs {
namespace {

using astro::FindEntry;

constexpr int kList = 101;
constexpr int kConstellations = 102;
constexpr int kStars = 103;
constexpr int kTracking = 104;
constexpr int kSearch = 105;
constexpr int kTabs = 201;
constexpr int kStyleGroup = 500;
constexpr int kFirstStyle = 501;
constexpr int kFirstTabText = 2901;
constexpr int kHelpTopic = 27;

// Item data: the object's index, and the entry's place in its table (for the search).
constexpr int kObjectRole = Qt::UserRole;
constexpr int kEntryRole = Qt::UserRole + 1;

// The tab shown and the choice on each tab (the constellation on the scientific tab), kept
// while the program runs.
struct FindMemory {
    int tab = 0;
    std::array<int, astro::kFindTabCount> row{};
};
FindMemory& Memory() {
    static FindMemory memory;
    return memory;
}

void Fill(QListWidget& list, const std::vector<FindEntry>& entries) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(entries[i].text), &list);
        item->setData(kObjectRole, entries[i].index);
        item->setData(kEntryRole, static_cast<int>(i));
    }
}

// Hides the items that the search does not match (rank 0). While something is typed the first
// item of the best rank becomes the choice; otherwise a choice that got hidden moves to the
// first item shown.
void HideUnmatched(QListWidget& list, const std::function<int(int entry)>& rank, bool searching) {
    QListWidgetItem* best = nullptr;
    int bestRank = 0;
    for (int row = 0; row < list.count(); ++row) {
        QListWidgetItem* item = list.item(row);
        const int r = rank(item->data(kEntryRole).toInt());
        item->setHidden(r == 0);
        if (r > bestRank) {
            best = item;
            bestRank = r;
        }
    }
    QListWidgetItem* current = list.currentItem();
    if (best && (searching || !current || current->isHidden())) list.setCurrentItem(best);
}

}  // namespace

FindDialog::FindDialog(shell::Program& program, DialogHost& host)
    : ModelessDialog(program, host, kSlotFind, tr("Find Objects")) {
    auto* layout = new QVBoxLayout(this);
    search_ = WithId<QLineEdit>(kSearch);
    search_->setPlaceholderText(tr("Type a name or a designation (M 42, NGC 224, alpha Lyr)"));
    search_->setClearButtonEnabled(true);
    search_->installEventFilter(this);
    connect(search_, &QLineEdit::textChanged, this, &FindDialog::SearchChanged);
    layout->addWidget(search_);

    tabs_ = WithId<QTabBar>(kTabs);
    for (int tab = 0; tab < astro::kFindTabCount; ++tab)
        tabs_->addTab(QString::fromStdString(shell::LoadString(kFirstTabText + tab)));
    connect(tabs_, &QTabBar::currentChanged, this, &FindDialog::ChooseTab);
    layout->addWidget(tabs_);

    list_ = WithId<QListWidget>(kList);
    constellations_ = WithId<QListWidget>(kConstellations);
    stars_ = WithId<QListWidget>(kStars);
    const int width = fontMetrics().horizontalAdvance(QString(24, QLatin1Char('M')));
    list_->setMinimumSize(width, 20 * fontMetrics().height());
    constellations_->setMinimumWidth(width / 2);
    stars_->setMinimumWidth(width / 2);
    auto* lists = new QHBoxLayout;
    lists->addWidget(list_);
    lists->addWidget(constellations_);
    lists->addWidget(stars_);
    layout->addLayout(lists, 1);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_) Memory().row[static_cast<std::size_t>(tabs_->currentIndex())] = row;
    });
    connect(constellations_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_) return;
        Memory().row[astro::kFindScientific] = row;
        FillStars();
    });
    for (QListWidget* list : {list_, stars_}) {
        connect(list, &QListWidget::itemDoubleClicked, this, [this] {
            QMetaObject::invokeMethod(
                this, [this] { Apply(); }, Qt::QueuedConnection);
        });
    }

    auto* style = WithId<QGroupBox>(kStyleGroup, tr("Constellation"));
    auto* styles = new QHBoxLayout(style);
    const char* const kStyles[] = {"Popular", "Science", "Code"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = WithId<QRadioButton>(kFirstStyle + i, tr(kStyles[i]));
        connect(radio, &QRadioButton::clicked, this, [this, i] { ChooseStyle(i); });
        styles->addWidget(radio);
    }
    layout->addWidget(style);

    QHBoxLayout* buttons = ButtonRow();
    auto* tracking = WithId<QPushButton>(kTracking, tr("&Tracking"));
    connect(tracking, &QPushButton::clicked, this, [this] { Go(true); });
    buttons->addWidget(tracking);
    layout->addLayout(buttons);
    Reload();
    search_->setFocus();
}

void FindDialog::Reload() {
    const astro::FindSources sources{&program().data, &program().comets,
                                     std::clamp(program().options.FindSeiza, 0, 2),
                                     program().view.AlphaMode};
    for (int tab = 0; tab < astro::kFindTabCount; ++tab)
        entries_[static_cast<std::size_t>(tab)] = astro::FindList(tab, sources);
    constellationStars_.clear();
    for (const FindEntry& constellation : entries_[astro::kFindScientific])
        constellationStars_.push_back(astro::ConstellationStars(sources, constellation.index));
    fingerprint_ = CatalogueFingerprint();
    CheckRadio(*this, {kFirstStyle, kFirstStyle + 1, kFirstStyle + 2}, sources.style);
    filling_ = true;
    tabs_->setCurrentIndex(std::clamp(Memory().tab, 0, astro::kFindTabCount - 1));
    filling_ = false;
    FillLists();
}

void FindDialog::ViewStateChanged() {
    if (CatalogueFingerprint() != fingerprint_) Reload();
}

// What the lists are made of besides the fixed catalogues: the star names, the comets shown
// and the designation style.
std::size_t FindDialog::CatalogueFingerprint() const {
    const persist::Block& names = program().data.block(persist::BlockId::STARN);
    std::size_t hash = std::hash<std::string_view>{}(std::string_view(
        reinterpret_cast<const char*>(names.bytes().data()), names.bytes().size()));
    const state::CometTable& comets = program().comets;
    for (int i = 0; i < std::clamp(comets.count, 0, state::kCometFileLimit); ++i) {
        const state::CometRecord& c = comets.records[static_cast<std::size_t>(i)];
        hash = hash * 31 + std::hash<std::string_view>{}(persist::FieldText(c.NAMEE)) + c.show;
    }
    return hash * 31 + static_cast<std::size_t>(program().view.AlphaMode) * 7 +
           static_cast<std::size_t>(comets.count);
}

void FindDialog::ChooseTab(int tab) {
    if (filling_) return;
    if (!jumping_) tabByHand_ = true;
    Memory().tab = tab;
    FillLists();
}

void FindDialog::ChooseStyle(int style) {
    program().options.FindSeiza = style;
    Reload();
}

void FindDialog::FillLists() {
    const int tab = tabs_->currentIndex();
    const bool scientific = tab == astro::kFindScientific;
    list_->setVisible(!scientific);
    constellations_->setVisible(scientific);
    stars_->setVisible(scientific);
    FindControl<QGroupBox>(*this, kStyleGroup)
        ->setEnabled(tab == astro::kFindConstellation || scientific);

    QListWidget& list = scientific ? *constellations_ : *list_;
    filling_ = true;
    list.clear();
    Fill(list, entries_[static_cast<std::size_t>(tab)]);
    if (tab == astro::kFindDeepSky) NaturalOrder(list);
    filling_ = false;
    const int row = Memory().row[static_cast<std::size_t>(tab)];
    list.setCurrentRow(row >= 0 && row < list.count() ? row : 0);
    if (scientific) FillStars();
    Filter();
}

void FindDialog::FillStars() {
    stars_->clear();
    const QListWidgetItem* constellation = constellations_->currentItem();
    if (!constellation) return;
    const std::size_t entry = static_cast<std::size_t>(constellation->data(kEntryRole).toInt());
    if (entry >= constellationStars_.size()) return;
    Fill(*stars_, constellationStars_[entry]);
    stars_->setCurrentRow(0);
    FilterStars();
}

int FindDialog::Rank(const FindEntry& entry) const {
    return astro::SearchRank(search_->text().toStdString(), entry);
}

int FindDialog::TabRank(int tab) const {
    const std::string query = search_->text().toStdString();
    int rank = 0;
    auto rate = [&](const std::vector<FindEntry>& entries) {
        for (const FindEntry& entry : entries) {
            rank = std::max(rank, astro::SearchRank(query, entry));
            if (rank == 2) return;
        }
    };
    rate(entries_[static_cast<std::size_t>(tab)]);
    if (tab == astro::kFindScientific) {
        for (const auto& stars : constellationStars_)
            if (rank < 2) rate(stars);
    }
    return rank;
}

// The tab for what is typed: the tab shown while an entry begins with it, else the first such
// tab; failing that the tab shown while anything on it matches, else the first that has. A tab
// the user chose stays as long as anything on it matches.
void FindDialog::SearchChanged() {
    if (search_->text().isEmpty()) tabByHand_ = false;
    const int shown = tabs_->currentIndex();
    int best = shown;
    if (!search_->text().isEmpty()) {
        std::array<int, astro::kFindTabCount> ranks{};
        for (int tab = 0; tab < astro::kFindTabCount; ++tab)
            ranks[static_cast<std::size_t>(tab)] = TabRank(tab);
        auto first = [&](int rank) {
            if (ranks[static_cast<std::size_t>(shown)] >= rank) return shown;
            const auto found =
                std::find_if(ranks.begin(), ranks.end(), [rank](int r) { return r >= rank; });
            return found == ranks.end() ? -1 : static_cast<int>(found - ranks.begin());
        };
        const bool keep = tabByHand_ && ranks[static_cast<std::size_t>(shown)] > 0;
        if (!keep) best = first(2) >= 0 ? first(2) : first(1) >= 0 ? first(1) : shown;
    }
    if (best == shown) {
        Filter();
        return;
    }
    tabByHand_ = false;
    jumping_ = true;
    tabs_->setCurrentIndex(best);  // fills and filters that tab
    jumping_ = false;
}

void FindDialog::Filter() {
    if (filling_) return;
    const int tab = tabs_->currentIndex();
    const bool searching = !search_->text().isEmpty();
    const auto& entries = entries_[static_cast<std::size_t>(tab)];
    if (tab != astro::kFindScientific) {
        HideUnmatched(
            *list_, [&](int e) { return Rank(entries[static_cast<std::size_t>(e)]); }, searching);
        return;
    }
    // A constellation counts with the best of its own rank and its stars'.
    auto constellationRank = [&](int e) {
        int rank = Rank(entries[static_cast<std::size_t>(e)]);
        for (const FindEntry& star : constellationStars_[static_cast<std::size_t>(e)])
            rank = std::max(rank, Rank(star));
        return rank;
    };
    HideUnmatched(*constellations_, constellationRank, searching);
    FilterStars();
}

// The stars of the chosen constellation: all of them when the constellation itself matches.
void FindDialog::FilterStars() {
    const QListWidgetItem* constellation = constellations_->currentItem();
    if (!constellation) return;
    const std::size_t c = static_cast<std::size_t>(constellation->data(kEntryRole).toInt());
    const bool wholeConstellation = Rank(entries_[astro::kFindScientific][c]) > 0;
    HideUnmatched(
        *stars_,
        [&](int e) {
            const int rank = Rank(constellationStars_[c][static_cast<std::size_t>(e)]);
            return wholeConstellation ? std::max(rank, 1) : rank;
        },
        !search_->text().isEmpty());
}

bool FindDialog::eventFilter(QObject* watched, QEvent* event) {
    // Down from the search field goes on to the list.
    if (watched == search_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
        (tabs_->currentIndex() == astro::kFindScientific ? stars_ : list_)->setFocus();
        return true;
    }
    return ModelessDialog::eventFilter(watched, event);
}

QListWidgetItem* FindDialog::Chosen() const {
    const QListWidget* list = tabs_->currentIndex() == astro::kFindScientific ? stars_ : list_;
    QListWidgetItem* item = list->currentItem();
    return item && !item->isHidden() ? item : nullptr;
}

bool FindDialog::Go(bool tracking) {
    const QListWidgetItem* item = Chosen();
    if (!item) return false;
    state::ViewState& view = program().view;
    const astro::ObjectRef object{tabs_->currentIndex(), item->data(kObjectRole).toInt()};
    const bool tracked =
        view.Tracking && view.TrackedKind == object.kind && view.TrackedIndex == object.index;
    if (!tracked) {
        view.Tracking = false;
        host().CenterOnObject(object, !tracking);
    }
    if (tracking) {
        view.TrackedKind = object.kind;
        view.TrackedIndex = object.index;
        view.Tracking = true;
    }
    host().ViewStateWritten();
    return true;
}

void FindDialog::Apply() {
    Go(false);
}

void FindDialog::Ok() {
    Go(false);
}

void FindDialog::accept() {
    // Without a choice "OK" does nothing, and the dialog stays.
    if (!Chosen()) return;
    ModelessDialog::accept();
}

void FindDialog::Help() {
    platform::OpenHelpTopic(shell::LoadString(kHelpTopic));
}

}  // namespace dialogs
