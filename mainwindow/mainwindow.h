#pragma once
// The main window: header, search bar, the eight tabs with their grids, legend and ticker panel;
// the login hand-off, the role layout, the general menu, the closing question and the start-up
// sequence that runs in the background while the window is already usable.

#include "connection.h"
#include "recordset.h"
#include "transfer.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace b2b {

class BusyIndicator;
class DataGrid;
class TRealTimeMarquee;
class TServerMethods1Client;
class TForm1;

// What a start-up step gets on the worker: its own connections and a copy of the login record
// taken when the sequence started, and the way to change controls.
class BaslangicIsi {
public:
    BaslangicIsi(TForm1 *window, const Connection &model, const TSonucBilgisi &bilgi);
    // A new, closed connection with the main connection's parameters.
    std::unique_ptr<Connection> YeniBaglanti() const;
    const TSonucBilgisi &Bilgi() const { return bilgi_; }
    // Runs `fn` on the UI thread and waits until it is done; skipped when the window is gone.
    void Senkron(const std::function<void(TForm1 &)> &fn) const;

private:
    QPointer<TForm1> window_;
    std::unique_ptr<Connection> model_;
    TSonucBilgisi bilgi_;
};
using BaslangicAdimi = std::function<void(BaslangicIsi &)>;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // ---- header ----
    QWidget *Panel1 = nullptr;
    QLabel *Image1 = nullptr; // logo
    QLabel *kullanicilbl = nullptr;
    QLabel *cariadilbl = nullptr;
    QLabel *saticilbl = nullptr;
    QLabel *RxGIFAnimator1 = nullptr; // header banner, 409 x 100
    QToolButton *Button3 = nullptr;
    QMenu *Genelmenu = nullptr;
    QAction *M1 = nullptr;
    QAction *N4 = nullptr;
    QAction *websitesi1 = nullptr;
    QAction *G1 = nullptr;
    QAction *R1 = nullptr;
    // ---- top banner strip ----
    QLabel *RxGIFAnimator2 = nullptr;
    // ---- search bar ----
    QWidget *Panel2 = nullptr;
    QLineEdit *araedit = nullptr;
    QToolButton *SpeedButton2 = nullptr; // "Ara"
    QToolButton *SpeedButton1 = nullptr; // "Temizle"
    QPushButton *musteritus = nullptr;
    BusyIndicator *gifstokara = nullptr;
    BusyIndicator *gifyeniler = nullptr;
    BusyIndicator *gifkampanyali = nullptr;
    BusyIndicator *gifduyuru = nullptr;
    BusyIndicator *gifoncekiler = nullptr;
    BusyIndicator *gifsepet = nullptr;
    BusyIndicator *gifekstre = nullptr;
    // ---- tabs ----
    QTabWidget *sPageControl1 = nullptr;
    QWidget *sstoklistesi = nullptr;
    QWidget *ssepet = nullptr;
    QWidget *sonceki = nullptr;
    QWidget *sccariekstre = nullptr;
    QWidget *syeniler = nullptr;
    QWidget *skampanyali = nullptr;
    QWidget *sTabSheetduyuru = nullptr;
    QWidget *sTabbakiyeler = nullptr;
    DataGrid *cxGrid1 = nullptr;      // stock list
    DataGrid *cxGrid2 = nullptr;      // basket
    DataGrid *cxGrid3 = nullptr;      // previous orders
    DataGrid *cxGrid5 = nullptr;      // account statement
    DataGrid *cxGrid6 = nullptr;      // new items
    DataGrid *cxkampanyali = nullptr; // campaign items
    DataGrid *cxGridduyuru = nullptr; // announcements
    // ---- bottom ----
    QWidget *Panel3 = nullptr; // status legend
    QWidget *Panel5 = nullptr;
    TRealTimeMarquee *kayanyazi = nullptr;
    TRealTimeMarquee *RealTimeMarquee1 = nullptr;
    QLabel *Image3 = nullptr;

    // ---- data ----
    std::unique_ptr<Connection> bagc;
    std::unique_ptr<TSonucBilgisi> sbilgi;
    RecordSet *stok = nullptr;
    RecordSet *sepet = nullptr;
    RecordSet *ONCEKILER = nullptr;
    RecordSet *EKSTRE = nullptr;
    RecordSet *YENILER = nullptr;
    RecordSet *kampstok = nullptr;
    int _acilisadet = 0;
    QWidget *benimbakiyesiparisler = nullptr;

    // Loaders of the start-up sequence that follow AnaBilgiAl (ticker, banners, advert count,
    // notification counts), run in this order on the start-up worker.
    std::vector<BaslangicAdimi> yukleyiciler;

    // Start-up: titles, computer fields, connection, login, role layout, background sequence.
    void FormCreate();
    // Login window and role layout; ends the process when the login did not complete (false
    // is only seen when the exit seam returns).
    bool GirisYap();
    void RolDuzeniUygula(int musteriTipi);
    void AnaBilgiAl();
    void CariDegistir();
    void SepetYukle();
    void AcilisReklamGoster();
    // The closing question; true when the window may close.
    bool FormCloseQuery();
    bool baslangicBittiMi() const { return baslangicBitti_; }

    // Count captions: "12=Stok Listesi".
    static QString SayiBasligi(int count, const QString &name);
    static QString TutarBasligi(double amount); // "1234,5=Bakiyeler" in the user's format
    void SekmeBasligiYaz(QWidget *tab, const QString &caption);
    QString SekmeBasligi(QWidget *tab) const;

    // Proportional column widths with redrawing suspended.
    void SutunGenislikleri(DataGrid *grid, int width);
    static double IkiHaneYuvarla(double v);
    // Weights when the screen is wider than 1152 px, else every column fitted to its content.
    void GenislikKurali(DataGrid *grid);
    int ekranGenisligi() const;
    void setEkranGenisligi(int w) { ekranGenisligi_ = w; } // 0: the screen's own

    // Background list load: busy indicator on, grid disabled, detached and frozen; the worker
    // calls `cagri` on its own connection (quiet BaglantiKur); the new rows are installed on the
    // UI thread, or the connection error is shown. `sonra` runs last with the failure flag.
    void ListeYukle(DataGrid *grid, BusyIndicator *gif, RecordSet *rs,
                    std::function<TableData(TServerMethods1Client &, const TSonucBilgisi &)> cagri,
                    std::function<void(bool basarisiz)> sonra = {});

Q_SIGNALS:
    void baslangicBitti();

protected:
    void closeEvent(QCloseEvent *e) override;
    // The windows opened from here that come with later work; replaceable in tests.
    virtual int GirisPenceresiCalistir();
    virtual void CariSecimiAc();
    virtual void RaporlariAc();

private:
    void buildHeader(QWidget *host);
    void buildSearchBar(QWidget *host);
    void buildTabs(QWidget *host);
    void buildBottom(QWidget *host);
    void BaslangicSirasi();
    void M1Click();
    void N4Click();
    void websitesi1Click();
    void G1Click();
    void R1Click();
    void musteritusClick();

    bool baslangicBitti_ = false;
    int ekranGenisligi_ = 0;
};

} // namespace b2b
