#include "author/CatalogueEditor.h"

#include "author/WheelNeedsFocus.h"
#include "startup/SettingsTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quorix::author {
namespace {

enum Column { TitleColumn = 0, FileColumn = 1 };

QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.push_back(url.toLocalFile());
        }
    }
    return files;
}

} // namespace

CatalogueEditor::CatalogueEditor(QWidget* parent) : QWidget(parent) {
    table_ = new QTableWidget(0, 2, this);
    table_->setObjectName(QStringLiteral("catalogue"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Title"), QStringLiteral("Clip file")});
    table_->horizontalHeader()->setSectionResizeMode(TitleColumn, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(FileColumn, QHeaderView::Stretch);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setToolTip(QStringLiteral("Double-click a title or a file to change it; drop clip "
                                      "files here to add them."));
    // Files dropped from a file manager land on the table's viewport.
    table_->viewport()->setAcceptDrops(true);
    table_->viewport()->installEventFilter(this);
    // Delete removes the selected entry. While a cell is edited its editor has the keys.
    table_->installEventFilter(this);

    add_ = new QPushButton(QStringLiteral("Add clips…"), this);
    remove_ = new QPushButton(QStringLiteral("Remove"), this);
    up_ = new QPushButton(QStringLiteral("Up"), this);
    down_ = new QPushButton(QStringLiteral("Down"), this);
    placement_ = new QComboBox(this);
    placement_->addItem(QStringLiteral("Copy added clips into the media folder"));
    placement_->addItem(QStringLiteral("Leave added clips where they lie"));
    intro_ = new QComboBox(this);
    intro_->setObjectName(QLatin1String(startup::setting::Intro.key));
    logo_ = new QCheckBox(QStringLiteral("Show the closing logo when the viewer leaves"), this);
    WheelNeedsFocus(*placement_);
    WheelNeedsFocus(*intro_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(remove_);
    buttons->addWidget(up_);
    buttons->addWidget(down_);
    buttons->addStretch();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Added clips:"), placement_);
    form->addRow(QStringLiteral("Intro clip:"), intro_);
    form->addRow(QString(), logo_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    layout->addLayout(form);

    connect(add_, &QPushButton::clicked, this, &CatalogueEditor::addRequested);
    connect(remove_, &QPushButton::clicked, this, &CatalogueEditor::removeSelected);
    connect(up_, &QPushButton::clicked, this, [this] { move(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { move(1); });
    connect(table_, &QTableWidget::cellChanged, this, &CatalogueEditor::cellEdited);
    connect(table_, &QTableWidget::itemSelectionChanged, this,
            [this] { emit selectionChanged(selectedEntry()); });
    connect(intro_, &QComboBox::activated, this, &CatalogueEditor::introChosen);
    connect(logo_, &QCheckBox::clicked, this, [this](bool on) {
        catalogue_.closingLogo = on;
        report();
    });
}

void CatalogueEditor::setCatalogue(const DiscCatalogue& catalogue) {
    catalogue_ = catalogue;
    showCatalogue();
}

void CatalogueEditor::showCatalogue() {
    showing_ = true;
    const int selected = selectedEntry();
    const int rows = static_cast<int>(catalogue_.entries.size());
    table_->setRowCount(rows);
    // Items are kept and only their text is set: this runs while the table reports an edit of
    // one of them, which must not be deleted under it.
    const auto show = [this](int row, int column, const QString& text) {
        if (QTableWidgetItem* item = table_->item(row, column)) {
            if (item->text() != text) {
                item->setText(text);
            }
        } else {
            table_->setItem(row, column, new QTableWidgetItem(text));
        }
    };
    for (int row = 0; row < rows; ++row) {
        const CatalogueEntry& entry = catalogue_.entries[static_cast<std::size_t>(row)];
        show(row, TitleColumn, entry.title);
        show(row, FileColumn, entry.file);
    }
    if (selected >= 0 && selected < rows) {
        table_->selectRow(selected);
    }
    intro_->clear();
    intro_->addItem(QStringLiteral("none"));
    for (const CatalogueEntry& entry : catalogue_.entries) {
        intro_->addItem(entry.title);
    }
    // An intro beyond the catalogue shows as none; the disc check names it.
    intro_->setCurrentIndex(catalogue_.intro >= 0 && catalogue_.intro < rows ? catalogue_.intro + 1
                                                                             : 0);
    logo_->setChecked(catalogue_.closingLogo);
    add_->setEnabled(rows < DiscCatalogue::MaxEntries);
    showing_ = false;
}

int CatalogueEditor::selectedEntry() const {
    const QList<QTableWidgetSelectionRange> ranges = table_->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

void CatalogueEditor::selectEntry(int index) {
    table_->selectRow(index);
}

ClipPlacement CatalogueEditor::placement() const {
    return placement_->currentIndex() == 0 ? ClipPlacement::Copy : ClipPlacement::Reference;
}

int CatalogueEditor::appendEntries(const std::vector<CatalogueEntry>& entries) {
    int refused = 0;
    for (const CatalogueEntry& entry : entries) {
        if (static_cast<int>(catalogue_.entries.size()) >= DiscCatalogue::MaxEntries) {
            ++refused;
            continue;
        }
        CatalogueEntry added = entry;
        for (int number = 2; entryTitled(added.title, -1) >= 0; ++number) {
            added.title = QStringLiteral("%1 %2").arg(entry.title).arg(number);
        }
        catalogue_.entries.push_back(std::move(added));
    }
    showCatalogue();
    if (refused < static_cast<int>(entries.size())) {
        table_->selectRow(static_cast<int>(catalogue_.entries.size()) - 1);
        report();
    }
    return refused;
}

void CatalogueEditor::cellEdited(int row, int column) {
    if (showing_ || row < 0 || row >= static_cast<int>(catalogue_.entries.size())) {
        return;
    }
    CatalogueEntry& entry = catalogue_.entries[static_cast<std::size_t>(row)];
    const QString text = table_->item(row, column)->text();
    if (column == TitleColumn) {
        QString problem = IniDocument::KeyNameProblem(text);
        if (const int other = entryTitled(text, row); problem.isEmpty() && other >= 0) {
            problem = QStringLiteral("entry %1 has this title already, and a title names its "
                                     "clip in [filelist]: both entries would play one clip")
                          .arg(other + 1);
        }
        if (!problem.isEmpty()) {
            emit editRefused(QStringLiteral("\"%1\" cannot be a title: %2.").arg(text, problem));
            showCatalogue();
            return;
        }
        entry.title = text;
        showing_ = true;
        intro_->setItemText(row + 1, text);
        showing_ = false;
    } else {
        const QString file = text.trimmed();
        if (const QString problem = ClipNameProblem(file); !problem.isEmpty()) {
            emit editRefused(
                QStringLiteral("\"%1\" cannot be a clip file name: %2.").arg(file, problem));
            showCatalogue();
            return;
        }
        entry.file = file;
    }
    report();
}

void CatalogueEditor::move(int step) {
    const int row = selectedEntry();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= static_cast<int>(catalogue_.entries.size())) {
        return;
    }
    std::swap(catalogue_.entries[static_cast<std::size_t>(row)],
              catalogue_.entries[static_cast<std::size_t>(target)]);
    // The intro is an entry, not a place: it moves with its entry.
    if (catalogue_.intro == row) {
        catalogue_.intro = target;
    } else if (catalogue_.intro == target) {
        catalogue_.intro = row;
    }
    showCatalogue();
    table_->selectRow(target);
    report();
}

void CatalogueEditor::removeSelected() {
    const int row = selectedEntry();
    if (row < 0) {
        return;
    }
    catalogue_.entries.erase(catalogue_.entries.begin() + row);
    if (catalogue_.intro == row) {
        catalogue_.intro = -1;
    } else if (catalogue_.intro > row) {
        --catalogue_.intro;
    }
    showCatalogue();
    if (!catalogue_.entries.empty()) {
        table_->selectRow(std::min(row, static_cast<int>(catalogue_.entries.size()) - 1));
    }
    report();
}

void CatalogueEditor::introChosen(int index) {
    catalogue_.intro = index - 1;
    report();
}

int CatalogueEditor::entryTitled(const QString& title, int besides) const {
    for (int row = 0; row < static_cast<int>(catalogue_.entries.size()); ++row) {
        if (row != besides &&
            IniDocument::SameName(catalogue_.entries[static_cast<std::size_t>(row)].title, title)) {
            return row;
        }
    }
    return -1;
}

void CatalogueEditor::report() {
    emit edited();
}

bool CatalogueEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        removeSelected();
        return true;
    }
    if (watched == table_->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDropEvent*>(event);
            if (!LocalFiles(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList files = LocalFiles(drop->mimeData());
            if (!files.isEmpty()) {
                drop->acceptProposedAction();
                emit filesDropped(files);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quorix::author
