// Gallery of the grid layouts with made-up rows, for looking at every grid (not installed).
//   b2b-grid-demo [--layout KEY] [--rows N] [--grab FILE.png] [--size WxH]
// The list on the left switches the layout; the buttons exercise the grid's features.

#include "grid.h"
#include "griddemodata.h"
#include "gridicons.h"
#include "numfmt.h"
#include "recordset.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCommandLineParser>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <memory>

using namespace b2b;

namespace {

// The stock list's price-information cell, drawn the way the stock window draws it.
bool drawPriceInfo(const GridCell &cell) {
    const RecordSet *rs = cell.recordSet;
    if (!rs || cell.record < 0) return false;
    auto num = [&](const char *f) {
        const int i = rs->FieldIndex(QString::fromLatin1(f));
        return i < 0 ? 0.0 : rs->Value(cell.record, i).toDouble();
    };
    QString text = QStringLiteral("Liste Fiyatı: ") + FormatFloat(kMoneyFormat, num("LISTEFIYAT1")) + QLatin1Char('\n');
    if (num("KAMPFIYAT") > 0)
        text += QStringLiteral("Kampanyalı Fiyat: ") + FormatFloat(kMoneyFormat, num("KAMPFIYAT")) + QLatin1Char('\n');
    text += QStringLiteral("NetFiyat: ") + FormatFloat(kMoneyFormat, num("NETFIYAT")) + QLatin1Char('\n');
    text += QStringLiteral("KDV li Fiyat: ") + FormatFloat(kMoneyFormat, num("KDVDAHIL")) + QLatin1Char('\n');
    cell.painter->fillRect(cell.rect, cell.background);
    cell.painter->setFont(cell.font);
    cell.painter->setPen(cell.text);
    cell.painter->drawText(cell.rect.adjusted(10, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter, text);
    return true;
}

class Gallery : public QWidget {
public:
    Gallery(int rows) : rows_(rows) {
        setWindowTitle(QStringLiteral("b2b-grid-demo"));
        auto *h = new QHBoxLayout(this);
        list_ = new QListWidget(this);
        list_->setObjectName(QStringLiteral("layoutList"));
        list_->setFixedWidth(150);
        layouts_ = allGridLayouts();
        for (const NamedLayout &l : layouts_) list_->addItem(l.key);
        h->addWidget(list_);
        auto *right = new QVBoxLayout;
        h->addLayout(right, 1);
        auto *bar = new QHBoxLayout;
        title_ = new QLabel(this);
        bar->addWidget(title_, 1);
        auto button = [&](const QString &text, std::function<void()> fn) {
            auto *b = new QPushButton(text, this);
            connect(b, &QPushButton::clicked, this, fn);
            bar->addWidget(b);
        };
        button(QStringLiteral("Genişlikler"), [this] {
            if (grid_) grid_->SutunGenislikleri();
        });
        button(QStringLiteral("En Uygun"), [this] {
            if (grid_) grid_->bestFit();
        });
        button(QStringLiteral("Satır 60/100"), [this] {
            if (grid_) grid_->setRowHeight(grid_->rowHeight() == 100 ? 60 : 100);
        });
        button(QStringLiteral("Filtreleri Temizle"), [this] {
            if (grid_) grid_->clearFilters();
        });
        button(QStringLiteral("Grupları Aç/Kapat"), [this] {
            if (!grid_) return;
            if (grid_->model()->groupCount() > 0 && grid_->model()->isGroupExpanded(0)) grid_->collapseAll();
            else grid_->expandAll();
        });
        button(QStringLiteral("Excel Kaydet"), [this] {
            if (grid_) grid_->exportToExcel(this);
        });
        button(QStringLiteral("Yeniden Yükle"), [this] { load(++seed_); });
        right->addLayout(bar);
        legend_ = new QWidget(this);
        auto *lg = new QHBoxLayout(legend_);
        lg->setContentsMargins(4, 0, 4, 0);
        auto *lt = new QLabel(QStringLiteral("<b>Durum Açıklaması:    </b>"), legend_);
        lg->addWidget(lt);
        const std::pair<int, const char *> items[] = {{1, " Stok mevcut  "}, {2, " Telefon Açınız  "}, {3, " Yolda  "},
                                                      {5, " Tedarik Sürecinde "}, {4, " Özel Sipariş  "}, {0, " Yok  "}};
        for (const auto &[code, text] : items) {
            auto *icon = new QLabel(legend_);
            icon->setPixmap(stockStatusIcon(code));
            lg->addWidget(icon);
            auto *l = new QLabel(QString::fromUtf8(text), legend_);
            l->setStyleSheet(QStringLiteral("font-weight:bold;color:rgb(67,76,88)"));
            lg->addWidget(l);
        }
        lg->addStretch();
        legend_->setFixedHeight(27);
        host_ = new QVBoxLayout;
        right->addLayout(host_, 1);
        right->addWidget(legend_);
        connect(list_, &QListWidget::currentRowChanged, this, [this](int i) { open(i); });
    }

    void select(const QString &key) {
        for (int i = 0; i < int(layouts_.size()); ++i)
            if (layouts_[size_t(i)].key == key) list_->setCurrentRow(i);
        if (list_->currentRow() < 0) list_->setCurrentRow(0);
    }

private:
    void open(int i) {
        if (i < 0) return;
        delete grid_;
        const GridLayout &l = layouts_[size_t(i)].layout;
        key_ = layouts_[size_t(i)].key;
        title_->setText(QStringLiteral("<b>%1</b> — %2").arg(layouts_[size_t(i)].key, l.viewName));
        grid_ = new DataGrid(l, this);
        host_->addWidget(grid_);
        if (l.indexOf(QStringLiteral("FiyatBilgisi")) >= 0) grid_->setCustomDraw(QStringLiteral("FiyatBilgisi"), drawPriceInfo);
        if (key_ == QLatin1String("stok")) connect(grid_, &DataGrid::resized, this, [this] { stockLayout(); });
        else if (l.usesWeights) connect(grid_, &DataGrid::resized, grid_, [g = grid_](int w) { g->SutunGenislikleri(w); });
        legend_->setVisible(l.indexOf(QStringLiteral("DURUM")) >= 0 && l.columns[size_t(l.indexOf(QStringLiteral("DURUM")))].kind == CellKind::Icon);
        rs_ = std::make_unique<RecordSet>();
        grid_->setRecordSet(rs_.get());
        load(seed_);
        grid_->show();
    }

    void load(unsigned seed) {
        if (!grid_) return;
        const GridLayout &l = grid_->layout();
        const int rows = l.rowHeight > 200 ? 6 : rows_;
        grid_->detach();
        grid_->beginUpdate();
        rs_->Load(makeDemoTable(l, rows, seed));
        // every record set but the stock movements is two-decimal
        if (key_ != QLatin1String("hareket")) SayiFormatla(*rs_);
        grid_->attach();
        grid_->endUpdate();
        if (expandGroups) grid_->expandAll();
        if (key_ == QLatin1String("stok")) stockLayout();
        else if (l.usesWeights) grid_->SutunGenislikleri();
        else if (!l.fitToWidth && !l.bestFitOnLoad && l.showHeader) grid_->bestFit();
    }

    // What the stock window does on a resize: price columns on wide windows, the price cell otherwise.
    void stockLayout() {
        const bool wide = window()->width() > 1152;
        grid_->beginUpdate();
        for (const char *f : {"KDVDAHIL", "NETFIYAT", "KAMPFIYAT", "LISTEFIYAT1"}) grid_->setColumnVisible(QString::fromLatin1(f), wide);
        grid_->setColumnVisible(QStringLiteral("FiyatBilgisi"), !wide);
        grid_->setRowHeight(wide ? 60 : 100);
        grid_->SutunGenislikleri();
        if (!wide) {
            for (const char *f : {"OEM1", "OEM2", "OEM3"}) grid_->setColumnWidth(QString::fromLatin1(f), 80);
            grid_->setColumnWidth(QStringLiteral("FiyatBilgisi"), 150);
        }
        grid_->endUpdate();
    }

public:
    bool expandGroups = false;

private:
    int rows_;
    unsigned seed_ = 1;
    QString key_;
    std::vector<NamedLayout> layouts_;
    QListWidget *list_;
    QLabel *title_;
    QWidget *legend_;
    QVBoxLayout *host_;
    DataGrid *grid_ = nullptr;
    std::unique_ptr<RecordSet> rs_;
};

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QCommandLineParser p;
    p.addHelpOption();
    p.addOption({QStringLiteral("layout"), QStringLiteral("Layout to open first."), QStringLiteral("key"), QStringLiteral("stok")});
    p.addOption({QStringLiteral("rows"), QStringLiteral("Number of made-up rows."), QStringLiteral("n"), QStringLiteral("200")});
    p.addOption({QStringLiteral("grab"), QStringLiteral("Save a picture of the window and quit."), QStringLiteral("file")});
    p.addOption({QStringLiteral("size"), QStringLiteral("Window size WxH."), QStringLiteral("size"), QStringLiteral("1400x800")});
    p.addOption({QStringLiteral("expand"), QStringLiteral("Open the groups after each load.")});
    p.process(app);
    Gallery g(std::max(0, p.value(QStringLiteral("rows")).toInt()));
    g.expandGroups = p.isSet(QStringLiteral("expand"));
    const QStringList wh = p.value(QStringLiteral("size")).split(QLatin1Char('x'));
    g.resize(wh.value(0).toInt() > 0 ? wh.value(0).toInt() : 1400, wh.value(1).toInt() > 0 ? wh.value(1).toInt() : 800);
    g.select(p.value(QStringLiteral("layout")));
    g.show();
    if (p.isSet(QStringLiteral("grab"))) {
        const QString file = p.value(QStringLiteral("grab"));
        QTimer::singleShot(600, &g, [&g, file] {
            g.grab().save(file);
            QApplication::quit();
        });
    }
    return app.exec();
}
