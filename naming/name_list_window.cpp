#include "naming/name_list_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "controls/mw_button.h"
#include "controls/qt_colour.h"
#include "names/main_window.h"
#include "platform/accessibility.h"
#include "platform/fit_label.h"
#include "platform/qt_text.h"
#include "platform/screen_fit.h"
#include "platform/text.h"
#include "platform/text_label.h"
#include "platform/ui_fonts.h"

namespace muwu {

namespace {

enum Column {
    kRank, kName, kPinyin, kScore, kTotal, kHeaven, kPerson, kEarth, kOuter, kSancai, kAttribute,
    kMeaning
};
const QStringList kHeadings = {
    QStringLiteral("名次"), QStringLiteral("名字"), QStringLiteral("拼音"),
    QStringLiteral("评分"), QStringLiteral("总格"), QStringLiteral("天格"),
    QStringLiteral("人格"), QStringLiteral("地格"), QStringLiteral("外格"),
    QStringLiteral("三才"), QStringLiteral("属性"), QStringLiteral("寓意")};

// The choices of 三才, from none to the best class alone.
const QStringList kSancaiChoices = {QStringLiteral("不限"), QStringLiteral("平或吉"),
                                    QStringLiteral("吉")};

// Sorts by the number it carries where it has one, else by its text.
class Item final : public QTableWidgetItem {
  public:
    explicit Item(const QString& text) : QTableWidgetItem(text) {
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }
    Item(const QString& text, double number) : Item(text) { setData(Qt::UserRole, number); }

    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant a = data(Qt::UserRole), b = other.data(Qt::UserRole);
        if (a.isValid() && b.isValid())
            return a.toDouble() < b.toDouble();
        if (a.isValid() != b.isValid())
            return b.isValid();  // cells without a number go last in ascending order
        return text() < other.text();
    }
};

// A grid's number with its class, red for 凶 and green otherwise, as in the main window.
Item* gridItem(const std::optional<long long>& n, LuckClass c, bool shown) {
    if (!shown || !n)
        return new Item(QStringLiteral("—"));
    auto* item = new Item(QString::number(*n) + u' ' + qs(className(c)), static_cast<double>(*n));
    item->setForeground(controls::toQColor(c == LuckClass::misfortune ? kRed : kGreen));
    return item;
}

// The 三才 with its class, coloured as a grid; sorted by class, best last in ascending order.
Item* sancaiItem(const std::optional<Sancai>& s) {
    if (!s)
        return new Item(QStringLiteral("—"));
    auto* item = new Item(qs(elementsText(*s)) + u' ' + qs(sancaiClassName(s->verdict)),
                          static_cast<double>(s->verdict));
    item->setForeground(
        controls::toQColor(s->verdict == SancaiClass::misfortune ? kRed : kGreen));
    return item;
}

// "明：光明磊落，聪明通达；熠：熠熠闪烁，光彩闪耀", the characters the tables give no meaning left out.
QString meaningText(const std::vector<CharacterMeaning>& meanings) {
    QString text;
    for (const CharacterMeaning& m : meanings) {
        if (m.meaning.empty())
            continue;
        if (!text.isEmpty())
            text += u'；';
        text += QChar(m.c) + QStringLiteral("：") + qs(m.meaning);
    }
    return text;
}

template <typename W>
W* named(W* w, const QString& name, const QString& accessible) {
    w->setObjectName(name);
    w->setAccessibleName(accessible);
    return w;
}

}  // namespace

NameListWindow::NameListWindow(MainWindow& main, QWidget* parent)
    // Above the naming window it comes from, which stays on top of the others.
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), main_(main) {
    setObjectName(QStringLiteral("选名窗"));
    setWindowTitle(QStringLiteral("选名窗"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(songTi(9));
    build();
    showOnlyShownChildren(this);
    // The search runs once the typing handler has returned, on the next turn of the event loop;
    // keystrokes that arrive together start one search.
    debounce_.setSingleShot(true);
    debounce_.setInterval(0);
    connect(&debounce_, &QTimer::timeout, this, [this] { search(); });
    // A search still pending must not reach the main window once it is gone.
    connect(&main_, &QObject::destroyed, this, [this] {
        debounce_.stop();
        close();
    });
    changed();
}

NameListWindow::~NameListWindow() = default;

void NameListWindow::build() {
    auto* grid = new QGridLayout;
    int row = 0, column = 0;
    // Label and field side by side, three pairs a row; creation order is the tab order.
    auto add = [&](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        label->setObjectName(field->objectName() + QStringLiteral("标签"));
        grid->addWidget(label, row, column);
        grid->addWidget(field, row, column + 1);
        column += 2;
        if (column >= 6)
            column = 0, ++row;
    };
    auto line = [&](const QString& name, const QString& caption) {
        auto* edit = named(new QLineEdit(this), name, caption);
        add(caption + u'：', edit);
        connect(edit, &QLineEdit::textChanged, this, [this] { changed(); });
        return edit;
    };
    auto combo = [&](const QString& name, const QString& caption, const QStringList& items,
                     const QString& current) {
        auto* box = named(new QComboBox(this), name, caption);
        box->addItems(items);
        box->setCurrentText(current);
        add(caption + u'：', box);
        connect(box, &QComboBox::currentIndexChanged, this, [this] { changed(); });
        return box;
    };

    姓_ = line(QStringLiteral("姓"), QStringLiteral("姓（前缀）"));
    字数_ = combo(QStringLiteral("字数"), QStringLiteral("名字字数"), {"1", "2"}, "2");
    列出个数_ = named(new QSpinBox(this), QStringLiteral("列出个数"), QStringLiteral("列出个数"));
    列出个数_->setRange(1, 10000);
    列出个数_->setValue(50);
    add(QStringLiteral("列出个数："), 列出个数_);
    connect(列出个数_, &QSpinBox::valueChanged, this, [this] { changed(); });

    保留字_ = line(QStringLiteral("保留字"), QStringLiteral("保留字"));
    保留字_->setMaxLength(1);
    位置_ = combo(QStringLiteral("位置"), QStringLiteral("保留字位置"), {"1", "2"}, "1");
    最低评分_ = line(QStringLiteral("最低评分"), QStringLiteral("最低评分"));

    不用字_ = line(QStringLiteral("不用字"), QStringLiteral("不用的字"));
    五行_ = line(QStringLiteral("五行"), QStringLiteral("五行（依次）"));
    五行_->setPlaceholderText(QStringLiteral("如：金木"));
    后缀_ = line(QStringLiteral("后缀"), QStringLiteral("后缀（行业名称）"));

    const QFontMetrics metrics(font());
    auto* options = new QHBoxLayout;
    公司名_ = named(new QCheckBox(QStringLiteral("公司名（粗算）"), this), QStringLiteral("公司名"),
                    QStringLiteral("公司名（粗算）"));
    所有字_ = named(new QCheckBox(QStringLiteral("用字表中所有的字"), this),
                    QStringLiteral("所有字"), QStringLiteral("用字表中所有的字"));
    for (QCheckBox* box : {公司名_, 所有字_}) {
        options->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { changed(); });
    }
    // After the ticks, in the row's free room.
    auto choice = [&](const QString& name, const QString& caption, const QStringList& items) {
        auto* box = named(new QComboBox(this), name, caption);
        box->addItems(items);
        auto* label = new QLabel(caption + u'：', this);
        label->setBuddy(box);
        label->setObjectName(name + QStringLiteral("标签"));
        options->addSpacing(metrics.horizontalAdvance(u'　'));
        options->addWidget(label);
        options->addWidget(box);
        connect(box, &QComboBox::currentIndexChanged, this, [this] { changed(); });
        return box;
    };
    性别_ = choice(QStringLiteral("性别"), QStringLiteral("性别"),
                   {QStringLiteral("不限"), QStringLiteral("男"), QStringLiteral("女")});
    三才_ = choice(QStringLiteral("三才"), QStringLiteral("三才"), kSancaiChoices);
    options->addStretch();

    // The birth moment, on a row of its own below the list's, in height the window gains: the
    // controls above keep their places and sizes.
    auto* birth = new QHBoxLayout;
    const int birthWidth = metrics.horizontalAdvance(QStringLiteral("如：2024-02-04 16:20")) + 16;
    auto birthLine = [&](const QString& name, const QString& caption, const QString& placeholder,
                         int width) {
        auto* edit = named(new QLineEdit(this), name, caption);
        edit->setPlaceholderText(placeholder);
        edit->setFixedWidth(width);
        auto* label = new QLabel(caption + u'：', this);
        label->setBuddy(edit);
        label->setObjectName(name + QStringLiteral("标签"));
        birth->addWidget(label);
        birth->addWidget(edit);
        connect(edit, &QLineEdit::textChanged, this, [this] { changed(); });
        return edit;
    };
    出生时间_ = birthLine(QStringLiteral("出生时间"), QStringLiteral("出生时间"),
                          QStringLiteral("如：2024-02-04 16:20"), birthWidth);
    出生时间_->setToolTip(
        QStringLiteral("出生地当时钟表上的时间；给了就优先列出补八字所缺五行的名字"));
    时区_ = birthLine(QStringLiteral("时区"), QStringLiteral("时区"), qs(kDefaultZone),
                      metrics.horizontalAdvance(qs(kDefaultZone)) + 24);
    // Cut with a sign where the window is narrow, and whole in its tooltip: a long message must
    // not widen the window beyond a small screen.
    auto* summary = new FitLabel(QString(), this);
    summary->setObjectName(QStringLiteral("八字"));
    summary->setCaption(QStringLiteral("八字"));
    summary->setShrinks(false);
    summary->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    八字_ = summary;
    birth->addWidget(八字_, 1);

    // Read out as what it says, the count or what is wrong with the options.
    结果_ = new TextLabel(this);
    结果_->setObjectName(QStringLiteral("结果"));
    名单_ = named(new QTableWidget(0, static_cast<int>(kHeadings.size()), this),
                  QStringLiteral("名单"), QStringLiteral("名单"));
    名单_->setHorizontalHeaderLabels(kHeadings);
    名单_->setSelectionBehavior(QAbstractItemView::SelectRows);
    名单_->setSelectionMode(QAbstractItemView::SingleSelection);
    名单_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    名单_->verticalHeader()->hide();
    名单_->setTabKeyNavigation(false);  // Tab leaves the list; the arrows move in it
    名单_->setSortingEnabled(true);
    名单_->sortByColumn(kRank, Qt::AscendingOrder);
    名单_->horizontalHeader()->setStretchLastSection(true);
    名单_->installEventFilter(this);
    connect(名单_, &QTableWidget::cellDoubleClicked, this, [this](int r, int) { choose(r); });

    写入主窗_ = named(new QPushButton(QStringLiteral("写入主窗"), this), QStringLiteral("写入主窗"),
                      QStringLiteral("写入主窗"));
    connect(写入主窗_, &QPushButton::clicked, this, [this] { choose(名单_->currentRow()); });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(结果_, 1);
    bottom->addWidget(写入主窗_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(options);
    layout->addWidget(名单_, 1);
    layout->addLayout(bottom);
    layout->addLayout(birth);
    resize(760, 560 + layout->spacing() + birth->sizeHint().height());
}

void NameListWindow::startFrom(const NameListStart& start) {
    公司名_->setChecked(start.prefix.isEmpty());
    姓_->setText(start.prefix);
    后缀_->setText(start.suffix);
    性别_->setCurrentIndex(start.gender);
    出生时间_->setText(start.birth);
    时区_->setText(start.zone);
}

void NameListWindow::changed() {
    位置_->setEnabled(字数_->currentText() == QStringLiteral("2"));
    后缀_->setEnabled(公司名_->isChecked());
    // A company's name has no gender and, judged by its total alone, no 三才.
    性别_->setEnabled(!公司名_->isChecked());
    三才_->setEnabled(!公司名_->isChecked());
    const std::u16string moment = 出生时间_->text().toStdU16String();
    const std::u16string zone = 时区_->text().toStdU16String();
    if (!birth_ || birthFor_ != moment + u'\n' + zone) {
        birth_ = readBirth(moment, zone, systemZoneinfo());
        birthFor_ = moment + u'\n' + zone;
        const QString summary = qs(birthSummary(*birth_));
        八字_->setText(summary.isEmpty()
                           ? QStringLiteral("可不填；填了就优先列出补八字所缺五行的名字")
                           : summary);
        QPalette p = palette();
        if (birth_->status == BirthReading::Status::refused)
            p.setColor(QPalette::WindowText, controls::toQColor(kRed));
        八字_->setPalette(p);
    }
    debounce_.start();
}

std::optional<SearchOptions> NameListWindow::options(QString& problem) const {
    SearchOptions o;
    o.surname = 姓_->text().toStdU16String();
    o.givenLength = 字数_->currentText().toInt();
    const std::u16string keep = 保留字_->text().toStdU16String();
    if (keep.size() > 1 || (keep.size() == 1 && isSurrogate(keep[0]))) {
        problem = QStringLiteral("保留字只能是一个字");
        return std::nullopt;
    }
    if (!keep.empty()) {
        o.keep = keep[0];
        o.keepAt = std::min(位置_->currentText().toInt(), o.givenLength);
    }
    o.exclude = 不用字_->text().toStdU16String();
    o.attributes = 五行_->text().toStdU16String();
    const QString minimum = 最低评分_->text().trimmed();
    if (!minimum.isEmpty()) {
        bool ok = false;
        const double v = minimum.toDouble(&ok);
        if (!ok || !std::isfinite(v)) {
            problem = QStringLiteral("最低评分需要一个数，而不是“%1”").arg(minimum);
            return std::nullopt;
        }
        o.minScore = v;
    }
    o.company = 公司名_->isChecked();
    if (o.company)
        o.suffix = 后缀_->text().toStdU16String();
    o.top = static_cast<std::size_t>(列出个数_->value());
    if (!o.company) {
        o.gender = 性别_->currentIndex() == 1   ? Gender::male
                   : 性别_->currentIndex() == 2 ? Gender::female
                                                : Gender::any;
        if (三才_->currentIndex() > 0) {
            o.sancaiAtLeast =
                三才_->currentIndex() == 1 ? SancaiClass::middling : SancaiClass::luck;
        }
    }
    if (birth_ && birth_->status == BirthReading::Status::refused) {
        problem = qs(birth_->problem);
        return std::nullopt;
    }
    if (birth_ && birth_->status == BirthReading::Status::ok)
        o.supply = birth_->absent;
    if (const std::string p = searchOptionsProblem(o); !p.empty()) {
        problem = QString::fromStdString(p);
        return std::nullopt;
    }
    return o;
}

const std::vector<PoolCharacter>& NameListWindow::pool(bool all) {
    std::optional<Pool>& p = all ? allPool_ : worthyPool_;
    // A stroke list edited while the window is open changes the counts the pool holds.
    const std::uint64_t revision = main_.data().revision();
    if (!p || p->revision != revision) {
        p = Pool{revision, searchPool(main_.data(), all ? PoolKind::allListed : PoolKind::tables)};
    }
    return p->characters;
}

void NameListWindow::search() noexcept {
    try {
        QString problem;
        const std::optional<SearchOptions> o = options(problem);
        if (!o) {
            result_.reset();
            名单_->setRowCount(0);
            结果_->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
            结果_->setText(problem);
            return;
        }
        SearchResult r = searchNames(main_.data(), pool(所有字_->isChecked()), *o);
        shownOptions_ = *o;
        fill(r);
        result_ = std::move(r);
    } catch (const std::exception& e) {
        result_.reset();
        名单_->setRowCount(0);
        结果_->setText(QStringLiteral("查找失败：") + QString::fromUtf8(e.what()));
    }
}

void NameListWindow::fill(const SearchResult& r) {
    结果_->setStyleSheet({});
    QString summary = QStringLiteral("共 %1 个名字").arg(r.total);
    if (r.hits.size() < r.total)
        summary += QStringLiteral("，列出前 %1 个").arg(r.hits.size());
    结果_->setText(summary);

    名单_->setSortingEnabled(false);  // rows are placed by index while filling
    名单_->clearContents();
    名单_->setRowCount(static_cast<int>(r.hits.size()));
    for (int row = 0; row < static_cast<int>(r.hits.size()); ++row) {
        const SearchHit& hit = r.hits[static_cast<std::size_t>(row)];
        const Analysis& a = hit.analysis;
        const bool grids = !a.company;
        名单_->setItem(row, kRank,
                       new Item(QString::number(hit.rank), static_cast<double>(hit.rank)));
        名单_->setItem(row, kName, new Item(qs(a.name)));
        名单_->setItem(row, kPinyin, new Item(qs(hit.pinyin)));
        auto* score = a.score ? new Item(qs(*a.score), qs(*a.score).toDouble())
                              : new Item(QStringLiteral("—"));
        名单_->setItem(row, kScore, score);
        名单_->setItem(row, kTotal, gridItem(a.total, a.totalClass, true));
        名单_->setItem(row, kHeaven, gridItem(a.heaven, a.heavenClass, grids));
        名单_->setItem(row, kPerson, gridItem(a.person, a.personClass, grids));
        名单_->setItem(row, kEarth, gridItem(a.earth, a.earthClass, grids));
        名单_->setItem(row, kOuter, gridItem(a.outer, a.outerClass, grids));
        名单_->setItem(row, kSancai, sancaiItem(a.sancai));
        名单_->setItem(row, kAttribute, new Item(qs(a.attribute)));
        auto* meaning = new Item(meaningText(hit.meanings));
        meaning->setToolTip(meaning->text());  // the column is often narrower than the text
        名单_->setItem(row, kMeaning, meaning);
    }
    名单_->setSortingEnabled(true);  // sorts again by the column the user chose
    名单_->resizeColumnsToContents();
    if (名单_->rowCount() > 0)
        名单_->setCurrentCell(0, kName);
}

void NameListWindow::choose(int row) {
    const QTableWidgetItem* item = row >= 0 ? 名单_->item(row, kName) : nullptr;
    if (!item)
        return;
    const QString name = item->text();
    // As the name was judged: the surname taken as given (no double-surname recognition), and
    // the name pasted into a box that was emptied first, so the surname length starts from 1.
    // The tick comes back afterwards as the user had it, for the names typed next.
    auto* automatic = main_.control<QCheckBox>(QStringLiteral("自动识别姓氏"));
    const bool ticked = automatic && automatic->isChecked();
    if (automatic)
        automatic->setChecked(false);
    const QString option =
        shownOptions_.company ? QStringLiteral("公司名") : QStringLiteral("人名");
    if (auto* button = main_.control<QRadioButton>(option))
        button->setChecked(true);
    if (auto* text3 = main_.control<QLineEdit>(QStringLiteral("Text3"))) {
        text3->setText(QString());
        text3->setText(name);
    }
    const AnalysisOptions o = searchAnalysisOptions(shownOptions_);
    if (o.surnameLength) {
        if (auto* length = main_.control<QScrollBar>(QStringLiteral("姓长度")))
            length->setValue(*o.surnameLength);
    }
    main_.restore自动识别姓氏(ticked);
    // The main window comes into view with the name, under this list, so the next pick is at hand.
    if (main_.isMinimized())
        main_.showNormal();
    main_.show();
    main_.raise();
    raise();
}

void NameListWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool NameListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == 名单_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose(名单_->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void attachNameListButton(QWidget& namingWindow, QWidget& 求名, MainWindow& main,
                          std::function<NameListStart()> start) {
    auto* button = new MWButton(QStringLiteral("列出好名"), &namingWindow);
    button->setObjectName(QStringLiteral("列出好名"));
    button->setAccessibleName(QStringLiteral("列出好名"));
    button->setToolTip(QStringLiteral("按评分列出这个姓所有的好名字"));
    const QRect beside = 求名.geometry();
    const int gap = beside.height() / 3;
    const int left = beside.right() + gap;
    const int width = std::max(button->sizeHint().width(), namingWindow.width() - left - gap);
    button->setGeometry(left, beside.y(), width, beside.height());
    QWidget::setTabOrder(&求名, button);

    auto open = std::make_shared<QPointer<NameListWindow>>();
    QObject::connect(button, &MWButton::Click, button,
                     [open, &main, start = std::move(start), &namingWindow] {
                         if (!*open) {
                             *open = new NameListWindow(main);
                             (*open)->startFrom(start());
                             openBeside(*open, &namingWindow);
                         }
                         (*open)->show();
                         (*open)->raise();
                         (*open)->activateWindow();
                     });
}

}  // namespace muwu
