#include "gridlayout.h"

#include <QtGlobal>

namespace b2b {

using namespace Qt::StringLiterals;

namespace {

struct V {
    static constexpr Visibility S = Visibility::Shown;
    static constexpr Visibility H = Visibility::Hidden;
    static constexpr Visibility N = Visibility::Never;
};

ColumnSpec col(int pos, const QString &field, const QString &caption, Visibility vis, int weight, Summary footer) {
    ColumnSpec c;
    c.position = pos;
    c.field = field;
    c.caption = caption;
    c.visibility = vis;
    c.weight = weight;
    c.footer = footer;
    return c;
}

// Column tables, one per grid, in position order.
// stokColumns
std::vector<ColumnSpec> stokColumns() {
    return {
        col(1, u"DURUM"_s, u"Merdal"_s, V::S, 1, Summary::None),
        col(2, u"DEPO2"_s, u"Ravud"_s, V::S, 1, Summary::None),
        col(3, u"OEM1"_s, u"Oem1"_s, V::H, 2, Summary::Count),
        col(4, u"OEM2"_s, u"Oem2"_s, V::H, 2, Summary::None),
        col(5, u"OEM3"_s, u"Oem3"_s, V::H, 2, Summary::None),
        col(6, u"BARKOD"_s, u"Barkod"_s, V::S, 2, Summary::None),
        col(7, u"ADI"_s, u"Açıklama"_s, V::S, 3, Summary::None),
        col(8, u"OEM4"_s, u"Oem4"_s, V::H, 2, Summary::None),
        col(9, u"STOK_STOKNO"_s, {}, V::N, 1, Summary::None),
        col(10, u"FINISHKOD"_s, u"Finish Kod"_s, V::H, 2, Summary::None),
        col(11, u"URETICIKODU"_s, u"Üretici Kod"_s, V::H, 2, Summary::None),
        col(12, u"RESIM"_s, u"Resim"_s, V::S, 1, Summary::None),
        col(13, u"BARKOD_BARKODNO"_s, {}, V::N, 1, Summary::None),
        col(14, u"DIGERADI"_s, u"Diğer Adı"_s, V::H, 3, Summary::None),
        col(15, u"DPKOD"_s, {}, V::N, 2, Summary::None),
        col(16, u"OEMNO"_s, u"Oem No"_s, V::H, 2, Summary::None),
        col(17, u"BIRIM"_s, u"Birim"_s, V::H, 1, Summary::None),
        col(18, u"MARKA"_s, u"Marka"_s, V::S, 2, Summary::None),
        col(19, u"MODEL"_s, u"Model"_s, V::S, 2, Summary::None),
        col(20, u"ANAGRUP"_s, u"Ana Grup"_s, V::H, 2, Summary::None),
        col(21, u"OZELKOD"_s, u"Özel Kod"_s, V::S, 2, Summary::None),
        col(22, u"KALAN"_s, {}, V::N, 1, Summary::None),
        col(23, u"PKOD"_s, {}, V::N, 1, Summary::None),
        col(24, u"KDV"_s, {}, V::H, 1, Summary::None),
        col(25, u"ALINANSIPARIS"_s, {}, V::N, 1, Summary::None),
        col(26, u"VERILENSIPARIS"_s, {}, V::N, 1, Summary::None),
        col(27, u"LISTEFIYAT1"_s, u"Liste Fiyatı"_s, V::H, 2, Summary::None),
        col(28, u"KAMPFIYAT"_s, u"Kampanyalı Fiyat"_s, V::H, 2, Summary::None),
        col(29, u"FIYAT"_s, u"Liste Fiyatı"_s, V::H, 2, Summary::None),
        col(30, u"Y"_s, u"Yeni"_s, V::S, 1, Summary::None),
        col(31, u"K"_s, u"Kampanyalı"_s, V::S, 1, Summary::None),
        col(32, u"INDIRIMYAZI"_s, u"İndirim Oran"_s, V::S, 2, Summary::None),
        col(33, u"NETFIYAT"_s, u"Net Fiyatı"_s, V::H, 2, Summary::None),
        col(34, u"KDVDAHIL"_s, u"KDV Dahil Fiyat"_s, V::S, 3, Summary::None),
        col(35, {}, u"Fiyat Bilgisi"_s, V::S, 2, Summary::None),
    };
}

// yenilerColumns
std::vector<ColumnSpec> yenilerColumns() {
    return {
        col(1, u"OEM1"_s, u"Oem1"_s, V::H, 2, Summary::Count),
        col(2, u"OEM2"_s, u"Oem2"_s, V::H, 2, Summary::None),
        col(3, u"OEM3"_s, u"Oem3"_s, V::H, 2, Summary::None),
        col(4, u"BARKOD"_s, u"Barkod"_s, V::S, 2, Summary::None),
        col(5, u"ADI"_s, u"Açıklama"_s, V::S, 3, Summary::None),
        col(6, u"OEM4"_s, u"Oem4"_s, V::H, 2, Summary::None),
        col(7, u"STOK_STOKNO"_s, {}, V::N, 1, Summary::None),
        col(8, u"FINISHKOD"_s, u"Finish Kod"_s, V::S, 2, Summary::None),
        col(9, u"URETICIKODU"_s, u"Üretici Kod"_s, V::H, 2, Summary::None),
        col(10, u"BARKOD_BARKODNO"_s, {}, V::N, 1, Summary::None),
        col(11, u"DIGERADI"_s, u"Diğer Adı"_s, V::H, 3, Summary::None),
        col(12, u"DPKOD"_s, {}, V::N, 2, Summary::None),
        col(13, u"OEMNO"_s, u"Oem No"_s, V::H, 2, Summary::None),
        col(14, u"BIRIM"_s, u"Birim"_s, V::S, 1, Summary::None),
        col(15, u"MARKA"_s, u"Marka"_s, V::S, 2, Summary::None),
        col(16, u"MODEL"_s, u"Model"_s, V::S, 2, Summary::None),
        col(17, u"ANAGRUP"_s, u"Ana Grup"_s, V::H, 2, Summary::None),
        col(18, u"OZELKOD"_s, u"Özel Kod"_s, V::H, 2, Summary::None),
        col(19, u"KALAN"_s, {}, V::N, 1, Summary::None),
        col(20, u"PKOD"_s, {}, V::N, 1, Summary::None),
        col(21, u"KDV"_s, {}, V::H, 1, Summary::None),
        col(22, u"ALINANSIPARIS"_s, {}, V::N, 1, Summary::None),
        col(23, u"VERILENSIPARIS"_s, {}, V::N, 1, Summary::None),
        col(24, u"FIYAT"_s, u"Liste Fiyatı2"_s, V::H, 2, Summary::None),
        col(25, u"K"_s, u"Kampanyalı"_s, V::S, 1, Summary::None),
        col(26, u"LISTEFIYAT1"_s, u"Liste Fiyatı"_s, V::S, 2, Summary::None),
        col(27, u"KAMPFIYAT"_s, u"Kampanyalı Fiyatı"_s, V::S, 2, Summary::None),
        col(28, u"INDIRIMYAZI"_s, u"Indirim Oran"_s, V::S, 2, Summary::None),
        col(29, u"INDIRIM"_s, u"İndirim Oran"_s, V::N, 1, Summary::None),
        col(30, u"NETFIYAT"_s, u"Net Fiyatı"_s, V::S, 2, Summary::None),
        col(31, u"KDVDAHIL"_s, u"KDV Dahil Fiyat"_s, V::S, 2, Summary::None),
    };
}

// kampstokColumns
std::vector<ColumnSpec> kampstokColumns() {
    return {
        col(1, u"OEM1"_s, u"Oem1"_s, V::H, 2, Summary::Count),
        col(2, u"OEM2"_s, u"Oem2"_s, V::H, 2, Summary::None),
        col(3, u"OEM3"_s, u"Oem3"_s, V::H, 2, Summary::None),
        col(4, u"BARKOD"_s, u"Barkod"_s, V::S, 2, Summary::None),
        col(5, u"ADI"_s, u"Açıklama"_s, V::S, 3, Summary::None),
        col(6, u"OEM4"_s, u"Oem4"_s, V::H, 2, Summary::None),
        col(7, u"STOK_STOKNO"_s, {}, V::N, 1, Summary::None),
        col(8, u"RESIM"_s, u"Resim"_s, V::S, 1, Summary::None),
        col(9, u"FINISHKOD"_s, u"Finish Kod"_s, V::S, 2, Summary::None),
        col(10, u"URETICIKODU"_s, u"Üretici Kod"_s, V::H, 2, Summary::None),
        col(11, u"BARKOD_BARKODNO"_s, {}, V::N, 1, Summary::None),
        col(12, u"DIGERADI"_s, u"Diğer Adı"_s, V::H, 3, Summary::None),
        col(13, u"DPKOD"_s, {}, V::N, 2, Summary::None),
        col(14, u"OEMNO"_s, u"Oem No"_s, V::H, 2, Summary::None),
        col(15, u"BIRIM"_s, u"Birim"_s, V::S, 1, Summary::None),
        col(16, u"MARKA"_s, u"Marka"_s, V::S, 2, Summary::None),
        col(17, u"MODEL"_s, u"Model"_s, V::S, 2, Summary::None),
        col(18, u"ANAGRUP"_s, u"Ana Grup"_s, V::H, 2, Summary::None),
        col(19, u"OZELKOD"_s, u"Özel Kod"_s, V::H, 2, Summary::None),
        col(20, u"KALAN"_s, {}, V::N, 1, Summary::None),
        col(21, u"PKOD"_s, {}, V::N, 1, Summary::None),
        col(22, u"KDV"_s, {}, V::H, 1, Summary::None),
        col(23, u"ALINANSIPARIS"_s, {}, V::N, 1, Summary::None),
        col(24, u"VERILENSIPARIS"_s, {}, V::N, 1, Summary::None),
        col(25, u"ESKIFIYAT"_s, u"Liste Fiyatı"_s, V::S, 2, Summary::None),
        col(26, u"FIYAT"_s, u"Kampanyalı Fiyatı"_s, V::S, 2, Summary::None),
        col(27, u"Y"_s, u"Yeni"_s, V::S, 1, Summary::None),
        col(28, u"K"_s, u"Kampanyalı"_s, V::S, 1, Summary::None),
        col(29, u"INDIRIM"_s, u"İndirim Oran"_s, V::N, 1, Summary::None),
        col(30, u"INDIRIMYAZI"_s, u"İndirim Oran"_s, V::S, 2, Summary::None),
        col(31, u"NETFIYAT"_s, u"Net Fiyatı"_s, V::S, 2, Summary::None),
        col(32, u"KDVDAHIL"_s, u"KDV Dahil Fiyat"_s, V::S, 2, Summary::None),
        col(33, u"DURUM"_s, u"Durum"_s, V::S, 1, Summary::None),
    };
}

// sepetColumns
std::vector<ColumnSpec> sepetColumns() {
    return {
        col(1, u"SEC"_s, u"Seç"_s, V::S, 1, Summary::None),
        col(2, u"VERILISTARIHI"_s, u"Sipariş Tarihi"_s, V::S, 1, Summary::Count),
        col(3, u"SIRANO"_s, {}, V::N, 0, Summary::None),
        col(4, u"SIPARISNO"_s, u"Sipariş No"_s, V::H, 0, Summary::None),
        col(5, u"CARINO"_s, {}, V::N, 0, Summary::None),
        col(6, u"TARIH"_s, u"Tarih"_s, V::H, 1, Summary::None),
        col(7, u"AKTAR"_s, {}, V::N, 0, Summary::None),
        col(8, u"STOKNO"_s, {}, V::N, 0, Summary::None),
        col(9, u"BARKOD"_s, u"Barkod"_s, V::S, 2, Summary::None),
        col(10, u"FINISHKOD"_s, u"FinishKod"_s, V::S, 2, Summary::None),
        col(11, u"OEMNO"_s, u"OEMNo"_s, V::S, 2, Summary::None),
        col(12, u"STOKADI"_s, u"Stok Açıklama"_s, V::S, 3, Summary::None),
        col(13, u"MIKTAR"_s, u"Miktar"_s, V::S, 1, Summary::Sum),
        col(14, u"BIRIMFIYAT"_s, u"Birim Fiyat"_s, V::S, 1, Summary::None),
        col(15, u"TUTAR"_s, u"Tutar"_s, V::S, 1, Summary::None),
        col(16, u"INDIRIMYAZI"_s, u"İndirim Oran"_s, V::S, 2, Summary::None),
        col(17, u"INDIRIMORANI1"_s, u"İndirim Oranı %"_s, V::N, 1, Summary::None),
        col(18, u"INDIRIMORANI2"_s, {}, V::N, 1, Summary::None),
        col(19, u"INDIRIMORANI3"_s, {}, V::N, 1, Summary::None),
        col(20, u"INDIRIMTUTAR"_s, u"İndirim Tutar"_s, V::N, 1, Summary::None),
        col(21, u"NETBIRIMFIYAT"_s, u"Net Fiyat"_s, V::S, 1, Summary::None),
        col(22, u"KDV"_s, {}, V::S, 1, Summary::None),
        col(23, u"VERGITUTARI"_s, u"Vergi Tutarı"_s, V::S, 1, Summary::None),
        col(24, u"NETTUTAR"_s, u"Net Tutar"_s, V::S, 1, Summary::Sum),
        col(25, u"KUR"_s, u"Kur"_s, V::H, 1, Summary::None),
        col(26, u"KURTL"_s, {}, V::N, 1, Summary::None),
        col(27, u"VERENIDNO"_s, {}, V::N, 1, Summary::None),
        col(28, u"SAAT"_s, u"Saat"_s, V::H, 1, Summary::None),
        col(29, u"TESLIMID"_s, {}, V::N, 1, Summary::None),
        col(30, u"KARGOID"_s, {}, V::N, 1, Summary::None),
        col(31, u"ACIKLAMA"_s, u"Açıklama"_s, V::H, 1, Summary::None),
        col(32, u"IDNO"_s, {}, V::N, 1, Summary::None),
        col(33, u"VERENSIRANO"_s, {}, V::N, 1, Summary::None),
        col(34, u"VEREN"_s, u"Veren"_s, V::S, 1, Summary::None),
        col(35, u"CARIKOD"_s, u"Cari Kod"_s, V::N, 1, Summary::None),
        col(36, u"CARIADI"_s, u"Cari Adı"_s, V::N, 1, Summary::None),
        col(37, u"OEM1"_s, {}, V::H, 1, Summary::None),
        col(38, u"OEM2"_s, {}, V::H, 1, Summary::None),
        col(39, u"OEM3"_s, {}, V::H, 1, Summary::None),
        col(40, u"OEM4"_s, {}, V::H, 1, Summary::None),
        col(41, u"STOK_STOKNO"_s, {}, V::N, 1, Summary::None),
        col(42, u"URETICIKODU"_s, {}, V::N, 1, Summary::None),
        col(43, u"DIGERADI"_s, {}, V::H, 1, Summary::None),
        col(44, u"DPKOD"_s, {}, V::H, 1, Summary::None),
        col(45, u"MARKA"_s, u"Marka"_s, V::H, 1, Summary::None),
        col(46, u"MODEL"_s, u"Model"_s, V::H, 1, Summary::None),
        col(47, u"ANAGRUP"_s, u"Ana Grup"_s, V::H, 1, Summary::None),
        col(48, u"OZELKOD"_s, u"Özel Kod"_s, V::H, 1, Summary::None),
        col(49, u"PKOD"_s, {}, V::H, 1, Summary::None),
        col(50, u"DURUM"_s, u"Durum"_s, V::S, 1, Summary::None),
        col(51, u"KALAN"_s, u"Kalan"_s, V::N, 1, Summary::None),
        col(52, u"INDIRIMORANI4"_s, {}, V::H, 0, Summary::None),
    };
}

// bakiyeColumns
std::vector<ColumnSpec> bakiyeColumns() {
    return {
        col(1, u"VERILISTARIHI"_s, u"Sipariş Tarihi"_s, V::S, 1, Summary::Count),
        col(2, u"SIRANO"_s, {}, V::N, 0, Summary::None),
        col(3, u"SIPARISNO"_s, u"Sipariş No"_s, V::N, 0, Summary::None),
        col(4, u"TARIH"_s, u"Tarih"_s, V::H, 1, Summary::None),
        col(5, u"AKTAR"_s, {}, V::N, 0, Summary::None),
        col(6, u"STOKNO"_s, {}, V::N, 0, Summary::None),
        col(7, u"BARKOD"_s, u"Barkod"_s, V::S, 2, Summary::None),
        col(8, u"FINISHKOD"_s, u"FinishKod"_s, V::S, 2, Summary::None),
        col(9, u"OEMNO"_s, u"OEMNo"_s, V::S, 2, Summary::None),
        col(10, u"STOKADI"_s, u"Stok Açıklama"_s, V::S, 3, Summary::None),
        col(11, u"MIKTAR"_s, u"Miktar"_s, V::S, 1, Summary::Sum),
        col(12, u"BIRIMFIYAT"_s, u"Birim Fiyat"_s, V::S, 1, Summary::None),
        col(13, u"ILKFIYAT"_s, u"İlk Fiyat"_s, V::N, 1, Summary::None),
        col(14, u"TUTAR"_s, u"Tutar"_s, V::S, 1, Summary::None),
        col(15, u"INDIRIMYAZI"_s, u"İn.Oranı%"_s, V::S, 2, Summary::None),
        col(16, u"INDIRIMORANI1"_s, u"İn.Oranı%"_s, V::H, 1, Summary::None),
        col(17, u"INDIRIMORANI2"_s, {}, V::H, 1, Summary::None),
        col(18, u"INDIRIMORANI3"_s, {}, V::H, 1, Summary::None),
        col(19, u"INDIRIMORANI4"_s, {}, V::H, 1, Summary::None),
        col(20, u"INDIRIMTUTAR"_s, u"İndirim Tutar"_s, V::N, 1, Summary::None),
        col(21, u"NETBIRIMFIYAT"_s, u"Net Fiyat"_s, V::S, 1, Summary::None),
        col(22, u"KDV"_s, {}, V::S, 1, Summary::None),
        col(23, u"VERGITUTARI"_s, u"Vergi Tutarı"_s, V::S, 1, Summary::None),
        col(24, u"NETTUTAR"_s, u"Net Tutar"_s, V::S, 1, Summary::None),
        col(25, u"KUR"_s, u"Kur"_s, V::H, 1, Summary::None),
        col(26, u"KURTL"_s, {}, V::N, 1, Summary::None),
        col(27, u"VERENIDNO"_s, {}, V::N, 1, Summary::None),
        col(28, u"SAAT"_s, u"Saat"_s, V::H, 1, Summary::None),
        col(29, u"TESLIMID"_s, {}, V::N, 1, Summary::None),
        col(30, u"KARGOID"_s, {}, V::N, 1, Summary::None),
        col(31, u"ACIKLAMA"_s, u"Açıklama"_s, V::H, 1, Summary::None),
        col(32, u"IDNO"_s, {}, V::N, 1, Summary::None),
        col(33, u"VERENSIRANO"_s, {}, V::N, 1, Summary::None),
        col(34, u"VEREN"_s, u"Veren"_s, V::S, 1, Summary::None),
        col(35, u"CARIKOD"_s, u"Cari Kod"_s, V::N, 1, Summary::None),
        col(36, u"CARIADI"_s, u"Cari Adı"_s, V::N, 1, Summary::None),
        col(37, u"OEM1"_s, {}, V::H, 1, Summary::None),
        col(38, u"OEM3"_s, {}, V::H, 1, Summary::None),
        col(39, u"OEM2"_s, {}, V::H, 1, Summary::None),
        col(40, u"OEM4"_s, {}, V::H, 1, Summary::None),
        col(41, u"STOK_STOKNO"_s, {}, V::N, 1, Summary::None),
        col(42, u"URETICIKODU"_s, {}, V::N, 1, Summary::None),
        col(43, u"DIGERADI"_s, {}, V::H, 1, Summary::None),
        col(44, u"DPKOD"_s, {}, V::H, 1, Summary::None),
        col(45, u"MARKA"_s, u"Marka"_s, V::H, 1, Summary::None),
        col(46, u"MODEL"_s, u"Model"_s, V::H, 1, Summary::None),
        col(47, u"ANAGRUP"_s, u"Ana Grup"_s, V::H, 1, Summary::None),
        col(48, u"OZELKOD"_s, u"Özel Kod"_s, V::H, 1, Summary::None),
        col(49, u"PKOD"_s, {}, V::H, 1, Summary::None),
        col(50, u"TESLIM"_s, {}, V::N, 0, Summary::None),
        col(51, u"KARGO"_s, {}, V::N, 0, Summary::None),
        col(52, u"TESLIMEDILEN"_s, u"Teslim Edilen"_s, V::S, 1, Summary::None),
        col(53, u"KALAN"_s, u"Kalan Bakiye"_s, V::S, 1, Summary::Sum),
        col(54, u"IDNO"_s, {}, V::N, 0, Summary::None),
        col(55, u"STOKHAR_NO"_s, {}, V::N, 0, Summary::None),
        col(56, u"ELDEKI"_s, u"Eldeki"_s, V::N, 1, Summary::None),
        col(57, u"DURUM"_s, u"Durum"_s, V::S, 1, Summary::None),
        col(58, u"ALINANSIPARIS"_s, {}, V::N, 1, Summary::None),
        col(59, u"VERILENSIPARIS"_s, {}, V::N, 1, Summary::None),
    };
}

// ayrintiColumns
std::vector<ColumnSpec> ayrintiColumns() {
    return {
        col(1, u"VERILISTARIHI"_s, u"Sipariş Tarihi"_s, V::S, 1, Summary::Count),
        col(2, u"SIRANO"_s, {}, V::N, 0, Summary::None),
        col(3, u"SIPARISNO"_s, u"Sipariş No"_s, V::H, 0, Summary::None),
        col(4, u"CARINO"_s, {}, V::N, 0, Summary::None),
        col(5, u"TARIH"_s, u"Tarih"_s, V::H, 1, Summary::None),
        col(6, u"AKTAR"_s, {}, V::N, 0, Summary::None),
        col(7, u"STOKNO"_s, {}, V::N, 0, Summary::None),
        col(8, u"BARKOD"_s, u"Barkod"_s, V::S, 2, Summary::None),
        col(9, u"FINISHKOD"_s, u"FinishKod"_s, V::S, 2, Summary::None),
        col(10, u"OEMNO"_s, u"OEMNo"_s, V::S, 2, Summary::None),
        col(11, u"STOKADI"_s, u"Stok Açıklama"_s, V::S, 3, Summary::None),
        col(12, u"MIKTAR"_s, u"Miktar"_s, V::S, 1, Summary::Sum),
        col(13, u"BIRIMFIYAT"_s, u"Birim Fiyat"_s, V::S, 1, Summary::None),
        col(14, u"TUTAR"_s, u"Tutar"_s, V::S, 1, Summary::None),
        col(15, u"INDIRIMYAZI"_s, u"İn.Oranı%"_s, V::S, 2, Summary::None),
        col(16, u"INDIRIMORANI1"_s, u"İn.Oranı%"_s, V::H, 1, Summary::None),
        col(17, u"INDIRIMORANI2"_s, {}, V::H, 1, Summary::None),
        col(18, u"INDIRIMORANI3"_s, {}, V::H, 1, Summary::None),
        col(19, u"INDIRIMORANI4"_s, {}, V::H, 1, Summary::None),
        col(20, u"INDIRIMTUTAR"_s, u"İndirim Tutar"_s, V::N, 1, Summary::None),
        col(21, u"NETBIRIMFIYAT"_s, u"Net Fiyat"_s, V::S, 1, Summary::None),
        col(22, u"KDV"_s, {}, V::S, 1, Summary::None),
        col(23, u"VERGITUTARI"_s, u"Vergi Tutarı"_s, V::S, 1, Summary::None),
        col(24, u"NETTUTAR"_s, u"Net Tutar"_s, V::S, 1, Summary::None),
        col(25, u"KUR"_s, u"Kur"_s, V::H, 1, Summary::None),
        col(26, u"KURTL"_s, {}, V::N, 1, Summary::None),
        col(27, u"VERENIDNO"_s, {}, V::N, 1, Summary::None),
        col(28, u"SAAT"_s, u"Saat"_s, V::H, 1, Summary::None),
        col(29, u"TESLIMID"_s, {}, V::N, 1, Summary::None),
        col(30, u"KARGOID"_s, {}, V::N, 1, Summary::None),
        col(31, u"ACIKLAMA"_s, u"Açıklama"_s, V::H, 1, Summary::None),
        col(32, u"IDNO"_s, {}, V::N, 1, Summary::None),
        col(33, u"VERENSIRANO"_s, {}, V::N, 1, Summary::None),
        col(34, u"VEREN"_s, u"Veren"_s, V::S, 1, Summary::None),
        col(35, u"CARIKOD"_s, u"Cari Kod"_s, V::N, 1, Summary::None),
        col(36, u"CARIADI"_s, u"Cari Adı"_s, V::N, 1, Summary::None),
        col(37, u"OEM1"_s, {}, V::H, 1, Summary::None),
        col(38, u"OEM2"_s, {}, V::H, 1, Summary::None),
        col(39, u"OEM3"_s, {}, V::H, 1, Summary::None),
        col(40, u"OEM4"_s, {}, V::H, 1, Summary::None),
        col(41, u"STOK_STOKNO"_s, {}, V::N, 1, Summary::None),
        col(42, u"URETICIKODU"_s, {}, V::N, 1, Summary::None),
        col(43, u"DIGERADI"_s, {}, V::H, 1, Summary::None),
        col(44, u"DPKOD"_s, {}, V::H, 1, Summary::None),
        col(45, u"MARKA"_s, u"Marka"_s, V::H, 1, Summary::None),
        col(46, u"MODEL"_s, u"Model"_s, V::H, 1, Summary::None),
        col(47, u"ANAGRUP"_s, u"Ana Grup"_s, V::H, 1, Summary::None),
        col(48, u"OZELKOD"_s, u"Özel Kod"_s, V::H, 1, Summary::None),
        col(49, u"PKOD"_s, {}, V::H, 1, Summary::None),
        col(50, u"TESLIM"_s, {}, V::N, 0, Summary::None),
        col(51, u"KARGO"_s, {}, V::N, 0, Summary::None),
        col(52, u"TESLIMEDILEN"_s, u"Teslim Edilen"_s, V::S, 1, Summary::None),
        col(53, u"KALAN"_s, u"Kalan Bakiye"_s, V::S, 1, Summary::Sum),
    };
}

// tumColumns
std::vector<ColumnSpec> tumColumns() {
    return {
        col(1, u"VERILISTARIHI"_s, u"Sipariş Tarihi"_s, V::S, 0, Summary::Count),
        col(2, u"SIRANO"_s, {}, V::N, 0, Summary::None),
        col(3, u"SIPARISNO"_s, u"Sipariş No"_s, V::N, 0, Summary::None),
        col(4, u"TARIH"_s, u"Tarih"_s, V::H, 0, Summary::None),
        col(5, u"AKTAR"_s, {}, V::N, 0, Summary::None),
        col(6, u"STOKNO"_s, {}, V::N, 0, Summary::None),
        col(7, u"BARKOD"_s, u"Barkod"_s, V::S, 0, Summary::None),
        col(8, u"FINISHKOD"_s, u"FinishKod"_s, V::S, 0, Summary::None),
        col(9, u"OEMNO"_s, u"OEMNo"_s, V::S, 0, Summary::None),
        col(10, u"STOKADI"_s, u"Stok Açıklama"_s, V::S, 0, Summary::None),
        col(11, u"MIKTAR"_s, u"Miktar"_s, V::S, 0, Summary::Sum),
        col(12, u"BIRIMFIYAT"_s, u"Birim Fiyat"_s, V::S, 0, Summary::None),
        col(13, u"ILKFIYAT"_s, u"İlk Fiyat"_s, V::N, 0, Summary::None),
        col(14, u"TUTAR"_s, u"Tutar"_s, V::S, 0, Summary::None),
        col(15, u"INDIRIMORANI1"_s, u"İn.Oranı%"_s, V::S, 0, Summary::None),
        col(16, u"INDIRIMORANI2"_s, {}, V::N, 0, Summary::None),
        col(17, u"INDIRIMORANI3"_s, {}, V::N, 0, Summary::None),
        col(18, u"INDIRIMTUTAR"_s, u"İndirim Tutar"_s, V::N, 0, Summary::None),
        col(19, u"NETBIRIMFIYAT"_s, u"Net Fiyat"_s, V::S, 0, Summary::None),
        col(20, u"KDV"_s, {}, V::S, 0, Summary::None),
        col(21, u"VERGITUTARI"_s, u"Vergi Tutarı"_s, V::S, 0, Summary::None),
        col(22, u"NETTUTAR"_s, u"Net Tutar"_s, V::S, 0, Summary::None),
        col(23, u"KUR"_s, u"Kur"_s, V::H, 0, Summary::None),
        col(24, u"KURTL"_s, {}, V::N, 0, Summary::None),
        col(25, u"VERENIDNO"_s, {}, V::N, 0, Summary::None),
        col(26, u"SAAT"_s, u"Saat"_s, V::H, 0, Summary::None),
        col(27, u"TESLIMID"_s, {}, V::N, 0, Summary::None),
        col(28, u"KARGOID"_s, {}, V::N, 0, Summary::None),
        col(29, u"ACIKLAMA"_s, u"Açıklama"_s, V::H, 0, Summary::None),
        col(30, u"IDNO"_s, {}, V::N, 0, Summary::None),
        col(31, u"VERENSIRANO"_s, {}, V::N, 0, Summary::None),
        col(32, u"VEREN"_s, u"Veren"_s, V::S, 0, Summary::None),
        col(33, u"CARIKOD"_s, u"Cari Kod"_s, V::N, 0, Summary::None),
        col(34, u"CARIADI"_s, u"Cari Adı"_s, V::N, 0, Summary::None),
        col(35, u"OEM1"_s, {}, V::H, 0, Summary::None),
        col(36, u"OEM3"_s, {}, V::H, 0, Summary::None),
        col(37, u"OEM2"_s, {}, V::H, 0, Summary::None),
        col(38, u"OEM4"_s, {}, V::H, 0, Summary::None),
        col(39, u"STOK_STOKNO"_s, {}, V::N, 0, Summary::None),
        col(40, u"URETICIKODU"_s, {}, V::N, 0, Summary::None),
        col(41, u"DIGERADI"_s, {}, V::H, 0, Summary::None),
        col(42, u"DPKOD"_s, {}, V::H, 0, Summary::None),
        col(43, u"MARKA"_s, u"Marka"_s, V::H, 0, Summary::None),
        col(44, u"MODEL"_s, u"Model"_s, V::H, 0, Summary::None),
        col(45, u"ANAGRUP"_s, u"Ana Grup"_s, V::H, 0, Summary::None),
        col(46, u"OZELKOD"_s, u"Özel Kod"_s, V::H, 0, Summary::None),
        col(47, u"PKOD"_s, {}, V::H, 0, Summary::None),
        col(48, u"TESLIM"_s, {}, V::N, 0, Summary::None),
        col(49, u"KARGO"_s, {}, V::N, 0, Summary::None),
        col(50, u"TESLIMEDILEN"_s, u"Teslim Edilen"_s, V::S, 0, Summary::None),
        col(51, u"KALAN"_s, u"Kalan Bakiye"_s, V::S, 0, Summary::Sum),
        col(52, u"IDNO"_s, {}, V::N, 0, Summary::None),
        col(53, u"STOKHAR_NO"_s, {}, V::N, 0, Summary::None),
        col(54, u"ELDEKI"_s, u"Eldeki"_s, V::N, 0, Summary::None),
        col(55, u"DURUM"_s, u"Durum"_s, V::S, 0, Summary::None),
        col(56, u"ALINANSIPARIS"_s, {}, V::N, 0, Summary::None),
        col(57, u"VERILENSIPARIS"_s, {}, V::N, 0, Summary::None),
    };
}

// oncekiColumns
std::vector<ColumnSpec> oncekiColumns() {
    return {
        col(1, u"CARINO"_s, {}, V::N, 0, Summary::None),
        col(2, u"IDNO"_s, u"Sipariş No"_s, V::S, 0, Summary::None),
        col(3, u"TARIH"_s, u"Tarih"_s, V::S, 0, Summary::None),
        col(4, u"KUR"_s, u"Kur"_s, V::N, 0, Summary::None),
        col(5, u"KURTL"_s, u"Kur TL"_s, V::N, 0, Summary::None),
        col(6, u"VERENIDNO"_s, {}, V::N, 0, Summary::None),
        col(7, u"KARGO"_s, u"Kargo Türü"_s, V::S, 0, Summary::None),
        col(8, u"TESLIM"_s, u"Teslim"_s, V::S, 0, Summary::None),
        col(9, u"VEREN"_s, u"Veren"_s, V::S, 0, Summary::None),
        col(10, u"CARIKOD"_s, u"Cari Kod"_s, V::H, 0, Summary::None),
        col(11, u"CARIADI"_s, u"Cari Adı"_s, V::H, 0, Summary::None),
        col(12, u"VERGI"_s, u"Vergi Tutarı"_s, V::S, 0, Summary::None),
        col(13, u"NETTUTAR"_s, u"Net Tutar"_s, V::S, 0, Summary::None),
        col(14, u"TUTAR"_s, u"Tutar"_s, V::S, 0, Summary::None),
        col(15, u"DURUM"_s, u"Durum"_s, V::S, 0, Summary::None),
        col(16, u"KARGOADI"_s, u"Kargo Adı"_s, V::S, 0, Summary::None),
        col(17, u"VERENINNOTU"_s, u"Verenin Notu"_s, V::S, 0, Summary::None),
        col(18, u"ALANNOTU"_s, u"Alanın Notu"_s, V::S, 0, Summary::None),
    };
}

// siparisRaporColumns
std::vector<ColumnSpec> siparisRaporColumns() {
    return {
        col(1, u"SATICIADI"_s, {}, V::H, 0, Summary::None),
        col(2, u"TARIH"_s, {}, V::S, 0, Summary::Count),
        col(3, u"IDNO"_s, {}, V::H, 0, Summary::None),
        col(4, u"VERGI"_s, {}, V::S, 0, Summary::None),
        col(5, u"NETTUTAR"_s, {}, V::S, 0, Summary::None),
        col(6, u"TUTAR"_s, {}, V::S, 0, Summary::Sum),
        col(7, u"CARINO"_s, {}, V::H, 0, Summary::None),
        col(8, u"KUR"_s, {}, V::H, 0, Summary::None),
        col(9, u"KURTL"_s, {}, V::H, 0, Summary::None),
        col(10, u"VERENIDNO"_s, {}, V::H, 0, Summary::None),
        col(11, u"KARGO"_s, {}, V::S, 0, Summary::None),
        col(12, u"TESLIM"_s, {}, V::S, 0, Summary::None),
        col(13, u"VEREN"_s, {}, V::S, 0, Summary::None),
        col(14, u"CARIKOD"_s, {}, V::S, 0, Summary::None),
        col(15, u"CARIADI"_s, {}, V::S, 0, Summary::None),
        col(16, u"DURUM"_s, {}, V::S, 0, Summary::None),
        col(17, u"KARGOADI"_s, {}, V::S, 0, Summary::None),
    };
}

// ekstreColumns
std::vector<ColumnSpec> ekstreColumns() {
    return {
        col(1, u"CARINO"_s, {}, V::N, 0, Summary::None),
        col(2, u"TARIH"_s, u"Tarih"_s, V::S, 0, Summary::None),
        col(3, u"TURADI"_s, u"Tür Adı"_s, V::S, 0, Summary::None),
        col(4, u"EVRAK"_s, u"Evrak No"_s, V::S, 0, Summary::None),
        col(5, u"BORC"_s, u"Borç"_s, V::S, 0, Summary::Sum),
        col(6, u"ALACAK"_s, u"Alacak"_s, V::S, 0, Summary::Sum),
        col(7, u"KUR"_s, u"Kur"_s, V::S, 0, Summary::None),
        col(8, u"BAKIYE"_s, u"Bakiye"_s, V::S, 0, Summary::None),
        col(9, u"D"_s, {}, V::S, 0, Summary::None),
        col(10, u"IDNO"_s, {}, V::N, 0, Summary::None),
        col(11, u"ACIKLAMA"_s, u"Açıklama"_s, V::S, 0, Summary::None),
    };
}

// faturaColumns
std::vector<ColumnSpec> faturaColumns() {
    return {
        col(1, u"OEMNO"_s, u"Oem No"_s, V::S, 0, Summary::Count),
        col(2, u"STOKADI"_s, u"Açıklama"_s, V::S, 0, Summary::None),
        col(3, u"FINISHKOD"_s, u"Finish Kod"_s, V::S, 0, Summary::None),
        col(4, u"MARKA"_s, u"Marka"_s, V::S, 0, Summary::None),
        col(5, u"MODEL"_s, u"Model"_s, V::S, 0, Summary::None),
        col(6, u"ANAGRUP"_s, u"Ana Grup"_s, V::S, 0, Summary::None),
        col(7, u"OZELKOD"_s, u"Özel Kod"_s, V::H, 0, Summary::None),
        col(8, u"BIRIM"_s, u"Birim"_s, V::S, 0, Summary::None),
        col(9, u"BARKOD"_s, u"Barkod"_s, V::H, 0, Summary::None),
        col(10, u"STOKHAR_HAREKETTARIHI"_s, u"Tarih"_s, V::H, 0, Summary::None),
        col(11, u"STOKHAR_HAREKETTIPI2"_s, u"Türü"_s, V::H, 0, Summary::None),
        col(12, u"EVRAKNO"_s, u"Evrak No"_s, V::H, 0, Summary::None),
        col(13, u"STOKHAR_MIKTAR"_s, u"Miktar"_s, V::S, 0, Summary::Sum),
        col(14, u"STOKHAR_TLBIRIMFIYATI"_s, u"Birim Fiyat"_s, V::S, 0, Summary::None),
        col(15, u"STOKHAR_TLVERGI"_s, u"Vergi"_s, V::H, 0, Summary::None),
        col(16, u"STOKHAR_TLTUTAR"_s, u"Tutar"_s, V::S, 0, Summary::None),
        col(17, u"STOKHAR_INDIRIM1"_s, u"%İnd1 "_s, V::S, 0, Summary::None),
        col(18, u"STOKHAR_INDIRIM2"_s, u"%İnd2"_s, V::S, 0, Summary::None),
        col(19, u"STOKHAR_INDIRIM3"_s, u"%İnd3"_s, V::N, 0, Summary::None),
        col(20, u"STOKHAR_INDIRIM4"_s, u"%İnd4"_s, V::N, 0, Summary::None),
        col(21, u"STOKHAR_INDIRIM5"_s, u"%İnd5"_s, V::N, 0, Summary::None),
        col(22, u"STOKHAR_INDIRIM6"_s, u"%İnd6"_s, V::N, 0, Summary::None),
        col(23, u"STOKHAR_INDIRIM7"_s, u"%İnd7"_s, V::N, 0, Summary::None),
        col(24, u"STOKHAR_INDIRIM8"_s, u"%İnd8"_s, V::N, 0, Summary::None),
        col(25, u"STOKHAR_DOVIZBIRIMFIYATI"_s, u"Döviz Birim Fiyat"_s, V::N, 0, Summary::None),
        col(26, u"STOKHAR_DOVIZVERGI"_s, u"Döviz Vergi"_s, V::N, 0, Summary::None),
        col(27, u"STOKHAR_DOVIZTUTAR"_s, u"Döviz Tutar"_s, V::N, 0, Summary::None),
        col(28, u"IRSALIYEEVRAKNO"_s, u"İrsaliye No"_s, V::H, 0, Summary::None),
        col(29, u"STOKHAR_IRSTARIHI"_s, u"İrsaliye Tarihi"_s, V::H, 0, Summary::None),
        col(30, u"KDV"_s, u"Kdv"_s, V::S, 0, Summary::None),
        col(31, u"STOKHAR_PARTI"_s, u"Parti"_s, V::N, 0, Summary::None),
        col(32, u"STOKHAR_BEDEN"_s, u"Beden"_s, V::N, 0, Summary::None),
        col(33, u"STOKHAR_RENK"_s, u"Renk"_s, V::N, 0, Summary::None),
        col(34, u"SATIRACIKLMASI"_s, u"Açıklama"_s, V::H, 0, Summary::None),
        col(35, u"STOKHAR_TOPLAMINDIRIM"_s, u"İndirim Tutarı"_s, V::S, 0, Summary::None),
        col(36, u"STOKHAR_MASRAF1"_s, u"%Masraf1"_s, V::N, 0, Summary::None),
        col(37, u"STOKHAR_MASRAF2"_s, u"%Masraf2"_s, V::N, 0, Summary::None),
        col(38, u"STOKHAR_TOPLAMMASRAF"_s, u"Masraf Toplamı"_s, V::S, 0, Summary::None),
        col(39, u"STOKHAR_DOVIZTOPLAMINDIRIM"_s, u"Döviz İndirim Tutar"_s, V::N, 0, Summary::None),
        col(40, u"STOKHAR_DOVIZTOPLAMMASRAF"_s, u"Döviz Masraf Tutarı"_s, V::N, 0, Summary::None),
        col(41, u"STOKHAR_SAAT"_s, u"Saat"_s, V::H, 0, Summary::None),
        col(42, u"STOKHAR_NETTLBIRIMFIYATI"_s, u"Net Birim Fiyat"_s, V::S, 0, Summary::None),
        col(43, u"STOKHAR_NETDOVIZBIRIMFIYATI"_s, u"Net Döviz Birim Fiyat"_s, V::N, 0, Summary::None),
        col(44, u"STOKHAR_NETTLTUTAR"_s, u"Net Tutar"_s, V::S, 0, Summary::None),
        col(45, u"STOKHAR_NETDOVIZTUTAR"_s, u"Net Döviz Tutar"_s, V::N, 0, Summary::None),
        col(46, u"STOKHAR_KURTL"_s, u"KurTL"_s, V::N, 0, Summary::None),
        col(47, u"STOKHAR_VADE"_s, u"Vade(Gün)"_s, V::H, 0, Summary::None),
        col(48, u"SIPARISTIPI"_s, {}, V::N, 0, Summary::None),
        col(49, u"SIPARISEVRAKNO"_s, u"Sipariş EvrakNo"_s, V::H, 0, Summary::None),
        col(50, u"SIPARISTARIHI"_s, u"Sipariş Tarihi"_s, V::H, 0, Summary::None),
        col(51, u"IRSALIYETIPINO"_s, {}, V::N, 0, Summary::None),
        col(52, u"IRSALIYETIP2"_s, u"İrsaliye Tipi"_s, V::H, 0, Summary::None),
        col(53, u"STOKCARIKOD"_s, {}, V::N, 0, Summary::None),
        col(54, u"SUBE_NO"_s, {}, V::N, 0, Summary::None),
        col(55, u"STOKHAR_CARINO"_s, {}, V::N, 0, Summary::None),
        col(56, u"KUR_KURSIMGE"_s, {}, V::N, 0, Summary::None),
        col(57, u"SATICIADI"_s, u"Satıcısı"_s, V::N, 0, Summary::None),
        col(58, u"URETICIKODU"_s, {}, V::N, 0, Summary::None),
        col(59, u"DPKOD"_s, {}, V::N, 0, Summary::None),
        col(60, u"ENADI"_s, {}, V::N, 0, Summary::None),
        col(61, u"PKOD"_s, {}, V::N, 0, Summary::None),
        col(62, u"BELGENO"_s, {}, V::N, 0, Summary::None),
        col(63, u"IDNO"_s, {}, V::N, 0, Summary::None),
    };
}

// tahsilatColumns
std::vector<ColumnSpec> tahsilatColumns() {
    return {
        col(1, u"Tarih"_s, {}, V::S, 0, Summary::None),
        col(2, u"Türü"_s, {}, V::S, 0, Summary::None),
        col(3, u"Cins"_s, {}, V::S, 0, Summary::None),
        col(4, u"EvrakNo"_s, {}, V::H, 0, Summary::None),
        col(5, u"Vade"_s, {}, V::S, 0, Summary::None),
        col(6, u"Tutar"_s, {}, V::S, 0, Summary::None),
        col(7, u"Kur"_s, {}, V::N, 0, Summary::None),
        col(8, u"KurTL"_s, {}, V::N, 0, Summary::None),
        col(9, u"Açıklama"_s, {}, V::S, 0, Summary::None),
        col(10, u"Döviz Tutar"_s, {}, V::N, 0, Summary::None),
        col(11, u"Ref"_s, {}, V::H, 0, Summary::None),
        col(12, u"Saat"_s, {}, V::H, 0, Summary::None),
    };
}

// hareketColumns
std::vector<ColumnSpec> hareketColumns() {
    return {
        col(1, u"BARKOD"_s, {}, V::H, 0, Summary::None),
        col(2, u"TARIH"_s, {}, V::S, 0, Summary::None),
        col(3, u"TURU"_s, {}, V::S, 0, Summary::None),
        col(4, u"EVRAKSERI"_s, {}, V::S, 0, Summary::None),
        col(5, u"EVRAKSIRA"_s, {}, V::S, 0, Summary::None),
        col(6, u"MIKTAR"_s, {}, V::S, 0, Summary::Count),
        col(7, u"TLBIRIMFIYAT"_s, {}, V::S, 0, Summary::None),
        col(8, u"TLVERGI"_s, {}, V::S, 0, Summary::None),
        col(9, u"TLTUTAR"_s, {}, V::S, 0, Summary::None),
        col(10, u"INDIRIM1"_s, {}, V::H, 0, Summary::None),
        col(11, u"INDIRIM2"_s, {}, V::H, 0, Summary::None),
        col(12, u"INDIRIM3"_s, {}, V::H, 0, Summary::None),
        col(13, u"INDIRIM4"_s, {}, V::H, 0, Summary::None),
        col(14, u"INDIRIM5"_s, {}, V::H, 0, Summary::None),
        col(15, u"INDIRIM6"_s, {}, V::H, 0, Summary::None),
        col(16, u"INDIRIM7"_s, {}, V::H, 0, Summary::None),
        col(17, u"INDIRIM8"_s, {}, V::H, 0, Summary::None),
        col(18, u"TOPLAMINDIRIM"_s, {}, V::S, 0, Summary::None),
        col(19, u"MASRAF1"_s, {}, V::H, 0, Summary::None),
        col(20, u"MASRAF2"_s, {}, V::H, 0, Summary::None),
        col(21, u"TOPLAMMASRAF"_s, {}, V::H, 0, Summary::None),
        col(22, u"NETBIRIMFIYAT"_s, {}, V::S, 0, Summary::Average),
        col(23, u"NETTLTUTAR"_s, {}, V::S, 0, Summary::Average),
        col(24, u"VADE"_s, {}, V::H, 0, Summary::None),
        col(25, u"STOKCARIKOD"_s, {}, V::H, 0, Summary::None),
        col(26, u"KDVDAHILBIRIMFIYAT"_s, {}, V::S, 0, Summary::Average),
        col(27, u"KDVDAHILTUTAR"_s, {}, V::S, 0, Summary::Average),
        col(28, u"SATICI"_s, {}, V::H, 0, Summary::None),
    };
}

// carilerColumns
std::vector<ColumnSpec> carilerColumns() {
    return {
        col(1, u"CARINO"_s, {}, V::H, 0, Summary::None),
        col(2, u"CARIKOD"_s, {}, V::S, 0, Summary::Count),
        col(3, u"CARIADI"_s, {}, V::S, 0, Summary::None),
        col(4, u"SATICISI"_s, {}, V::S, 0, Summary::None),
        col(5, u"TLBAKIYE"_s, {}, V::S, 0, Summary::None),
        col(6, u"DURUM"_s, {}, V::S, 0, Summary::None),
        col(7, u"OZELKOD"_s, {}, V::H, 0, Summary::None),
        col(8, u"KOD1"_s, {}, V::H, 0, Summary::None),
        col(9, u"KOD2"_s, {}, V::H, 0, Summary::None),
        col(10, u"KOD3"_s, {}, V::H, 0, Summary::None),
        col(11, u"KOD4"_s, {}, V::H, 0, Summary::None),
        col(12, u"KOD5"_s, {}, V::H, 0, Summary::None),
        col(13, u"TEL1"_s, {}, V::H, 0, Summary::None),
        col(14, u"TEL2"_s, {}, V::H, 0, Summary::None),
        col(15, u"ILCE"_s, {}, V::H, 0, Summary::None),
        col(16, u"IL"_s, {}, V::H, 0, Summary::None),
        col(17, u"GSM"_s, {}, V::H, 0, Summary::None),
        col(18, u"SEPET"_s, {}, V::S, 0, Summary::None),
        col(19, u"YETKILI"_s, {}, V::H, 0, Summary::None),
        col(20, u"INDIRIM"_s, {}, V::H, 0, Summary::None),
        col(21, u"VADE"_s, {}, V::H, 0, Summary::None),
        col(22, u"VADEKONTROLGUN"_s, {}, V::H, 0, Summary::None),
        col(23, u"VADEKONTROLAY"_s, {}, V::H, 0, Summary::None),
        col(24, u"VERGIDAIRESI"_s, {}, V::H, 0, Summary::None),
        col(25, u"VERGINO"_s, {}, V::H, 0, Summary::None),
        col(26, u"ADRES1"_s, {}, V::H, 0, Summary::None),
        col(27, u"ADRES2"_s, {}, V::H, 0, Summary::None),
        col(28, u"ANAGRUP"_s, {}, V::H, 0, Summary::None),
        col(29, u"ALTGRUP"_s, {}, V::H, 0, Summary::None),
        col(30, u"FAX1"_s, {}, V::H, 0, Summary::None),
        col(31, u"FAX2"_s, {}, V::H, 0, Summary::None),
        col(32, u"EMAIL"_s, {}, V::H, 0, Summary::None),
        col(33, u"ALINDI"_s, {}, V::S, 0, Summary::None),
        col(34, u"ONAYLANDI"_s, {}, V::S, 0, Summary::None),
        col(35, u"GORULDU"_s, {}, V::S, 0, Summary::None),
        col(36, u"HAZIRLANDI"_s, {}, V::S, 0, Summary::None),
        col(37, u"PARCALIHAZIRLANDI"_s, {}, V::S, 0, Summary::None),
    };
}

// satilanColumns
std::vector<ColumnSpec> satilanColumns() {
    return {
        col(1, u"BARKOD"_s, {}, V::S, 0, Summary::None),
        col(2, u"KOD"_s, {}, V::S, 0, Summary::None),
        col(3, u"ADI"_s, {}, V::S, 0, Summary::None),
        col(4, u"DEPARTMAN"_s, {}, V::S, 0, Summary::None),
        col(5, u"MIKTAR"_s, {}, V::S, 0, Summary::Sum),
        col(6, u"NETTUTAR"_s, {}, V::S, 0, Summary::Sum),
        col(7, u"TLVERGI"_s, {}, V::S, 0, Summary::Sum),
        col(8, u"TUTAR"_s, {}, V::S, 0, Summary::Sum),
    };
}

} // namespace

// ---- icon tables ----

IconMap statusIconMap(bool secondDepot) {
    IconMap m;
    m.list = IconList::Status;
    m.values = {
        {0, secondDepot ? -1 : 4, u"Yok"_s},
        {1, 0, u"Var"_s},
        {2, 8, u"Telefon Açınız"_s},
        {3, 2, u"Yolda"_s},
        {4, 1, u"Özel Sipariş"_s},
        {5, 5, u"Tedarik Sürecinde"_s},
    };
    if (secondDepot) m.values.erase(m.values.begin()); // no entry for 0
    return m;
}

IconMap pictureFlagIconMap() {
    IconMap m;
    m.list = IconList::Picture;
    m.values = {{1, 0, u"Var"_s}, {0, -1, u"Yok"_s}};
    return m;
}

IconMap newFlagIconMap() {
    IconMap m;
    m.list = IconList::Flag;
    m.values = {{0, 0, u"Hayır"_s}, {1, 1, u"Evet"_s}};
    m.otherIcon = 0;
    return m;
}

IconMap campaignFlagIconMap(bool newItemsGrid) {
    IconMap m;
    m.list = IconList::Flag;
    if (newItemsGrid) m.values = {{0, -1, u"Hayır"_s}, {1, 1, u"Evet"_s}};
    else m.values = {{0, 0, {}}, {1, 1, u"Evet"_s}};
    return m;
}

// ---- helpers ----

int GridLayout::indexOf(const QString &key, int occurrence) const {
    for (size_t i = 0; i < columns.size(); ++i) {
        const ColumnSpec &c = columns[i];
        if (c.id().compare(key, Qt::CaseInsensitive) == 0 || c.field.compare(key, Qt::CaseInsensitive) == 0) {
            if (occurrence-- == 0) return int(i);
        }
    }
    return -1;
}

std::vector<int> proportionalWidths(const std::vector<int> &weights, int clientWidth) {
    long long sum = 0;
    for (int w : weights) sum += w;
    if (sum <= 0) return {};
    // Integer division truncates toward zero, as the rule wants.
    const long long unit = (static_cast<long long>(clientWidth) - 30) / sum;
    if (unit <= 0) return {};
    std::vector<int> out;
    out.reserve(weights.size());
    for (int w : weights) out.push_back(int(w * unit));
    return out;
}

namespace {

ColumnSpec &colOf(GridLayout &l, const QString &field, int occurrence = 0) {
    const int i = l.indexOf(field, occurrence);
    Q_ASSERT(i >= 0);
    return l.columns[size_t(i)];
}

void setIcons(GridLayout &l, const QString &field, IconMap m) {
    const int i = l.indexOf(field);
    if (i < 0) return;
    ColumnSpec &c = l.columns[size_t(i)];
    c.kind = CellKind::Icon;
    c.icons = std::move(m);
    c.align = Qt::AlignHCenter;
}

// The dark header of the main window's catalogue and basket grids.
GridColors mainWindowColors() {
    GridColors c;
    c.header = Qt::black;
    return c;
}

GridLayout base(const QString &view, const QString &grid, std::vector<ColumnSpec> cols) {
    GridLayout l;
    l.viewName = view;
    l.gridName = grid;
    l.columns = std::move(cols);
    return l;
}

// Catalogue grids: text cells wrap except the named one-line cells.
void wrapTextExcept(GridLayout &l, const QStringList &oneLine) {
    for (ColumnSpec &c : l.columns)
        if (c.kind == CellKind::Text && !c.field.isEmpty() && !oneLine.contains(c.field)) c.wrap = true;
}

void representativeOnly(GridLayout &l) {
    // The remaining-quantity column, when shown, takes no filter or focus and stays where it is.
    const int i = l.indexOf(u"KALAN"_s);
    if (i < 0) return;
    l.columns[size_t(i)].filterable = false;
    l.columns[size_t(i)].focusable = false;
    l.columns[size_t(i)].movable = false;
    l.columns[size_t(i)].resizable = false;
}

} // namespace

GridLayout stokListesiLayout() {
    GridLayout l = base(u"cxGrid1DBTableView1"_s, u"cxGrid1"_s, stokColumns());
    l.usesWeights = true;
    l.rowIndicator = true;
    l.colors = mainWindowColors();
    l.headerFontFamily = u"Arial"_s;
    setIcons(l, u"DURUM"_s, statusIconMap(false));
    setIcons(l, u"DEPO2"_s, statusIconMap(true));
    setIcons(l, u"RESIM"_s, pictureFlagIconMap());
    setIcons(l, u"Y"_s, newFlagIconMap());
    setIcons(l, u"K"_s, campaignFlagIconMap(false));
    ColumnSpec &fb = l.columns.back();
    fb.name = u"FiyatBilgisi"_s;
    fb.kind = CellKind::Custom;
    fb.searchable = false;
    fb.filterable = false;
    wrapTextExcept(l, {u"LISTEFIYAT1"_s, u"KAMPFIYAT"_s, u"INDIRIMYAZI"_s});
    colOf(l, u"INDIRIMYAZI"_s).align = Qt::AlignHCenter;
    representativeOnly(l);
    return l;
}

GridLayout yenilerLayout() {
    GridLayout l = base(u"cxGridDBTableView5"_s, u"cxGrid6"_s, yenilerColumns());
    l.usesWeights = true;
    setIcons(l, u"K"_s, campaignFlagIconMap(true));
    representativeOnly(l);
    return l;
}

GridLayout kampanyaliLayout() {
    GridLayout l = base(u"cxGridDBTableViewkampanyali"_s, u"cxkampanyali"_s, kampstokColumns());
    l.usesWeights = true;
    setIcons(l, u"RESIM"_s, pictureFlagIconMap());
    setIcons(l, u"Y"_s, newFlagIconMap());
    setIcons(l, u"K"_s, campaignFlagIconMap(false));
    setIcons(l, u"DURUM"_s, statusIconMap(false));
    wrapTextExcept(l, {u"ESKIFIYAT"_s, u"INDIRIMYAZI"_s});
    representativeOnly(l);
    return l;
}

namespace {
void orderLineGrid(GridLayout &l) {
    l.wholeRowSelection = false; // single-cell focus
    setIcons(l, u"DURUM"_s, statusIconMap(false));
}
} // namespace

GridLayout sepetLayout() {
    GridLayout l = base(u"cxGridDBTableView1"_s, u"cxGrid2"_s, sepetColumns());
    orderLineGrid(l);
    l.usesWeights = true;
    l.rowHeight = 60;
    l.colors = mainWindowColors();
    l.colors.even = Qt::white;
    l.colors.odd = QColor(0xEF, 0xEF, 0xEF);
    l.headerFontFamily = u"Arial"_s;
    ColumnSpec &sec = colOf(l, u"SEC"_s);
    sec.kind = CellKind::CheckBox;
    sec.searchable = false;
    sec.offered = false;
    sec.align = Qt::AlignHCenter;
    colOf(l, u"INDIRIMYAZI"_s).align = Qt::AlignHCenter;
    return l;
}

GridLayout bakiyeSiparislerLayout() {
    GridLayout l = base(u"cxGridDBTableView1"_s, u"cxGrid2"_s, bakiyeColumns());
    orderLineGrid(l);
    l.usesWeights = true;
    return l;
}

GridLayout siparisAyrintiLayout() {
    GridLayout l = base(u"cxGridDBTableView1"_s, u"cxGrid2"_s, ayrintiColumns());
    orderLineGrid(l);
    l.usesWeights = true;
    return l;
}

GridLayout tumSiparislerLayout() {
    GridLayout l = base(u"cxGridDBTableView1"_s, u"cxGrid1"_s, tumColumns());
    orderLineGrid(l);
    l.fitToWidth = true;
    return l;
}

GridLayout oncekiSiparislerLayout() {
    GridLayout l = base(u"cxGridDBTableView2"_s, u"cxGrid3"_s, oncekiColumns());
    for (const QString &f : {u"VERENINNOTU"_s, u"ALANNOTU"_s}) {
        ColumnSpec &c = colOf(l, f);
        c.kind = CellKind::MultiLine;
        c.wrap = true;
    }
    return l;
}

GridLayout siparisRaporuLayout() {
    GridLayout l = base(u"cxGrid1DBTableView1"_s, u"cxGrid1"_s, siparisRaporColumns());
    l.incrementalSearch = false;
    l.filterButtons = false;
    l.groupByBox = true;
    l.rowIndicator = true;
    l.groupField = u"SATICIADI"_s;
    l.groupSummaries = {{u"TUTAR"_s, Summary::Sum}, {u"TARIH"_s, Summary::Count}};
    l.groupFootersAlways = true;
    l.collapseAfterLoad = true;
    return l;
}

GridLayout cariEkstreLayout() {
    GridLayout l = base(u"cxGridDBTableView4"_s, u"cxGrid5"_s, ekstreColumns());
    l.sortable = false; // rows stay in the order of the running balance
    return l;
}

GridLayout faturaLayout() {
    GridLayout l = base(u"cxGridDBTableView1"_s, u"cxGrid2"_s, faturaColumns());
    l.fitToWidth = true;
    l.bestFitOnLoad = true;
    return l;
}

GridLayout tahsilatLayout() {
    return base(u"cxGridDBTableView1"_s, u"cxGrid1"_s, tahsilatColumns());
}

GridLayout stokHareketLayout() {
    GridLayout l = base(u"cxGrid1DBTableView1"_s, u"cxGrid1"_s, hareketColumns());
    l.rowIndicator = true;
    return l;
}

GridLayout carilerLayout() {
    GridLayout l = base(u"cxGrid1DBTableView1"_s, u"cxGrid1"_s, carilerColumns());
    l.filterButtons = false;
    l.bestFitOnLoad = true;
    return l;
}

GridLayout satilanStoklarLayout() {
    GridLayout l = base(u"cxGridDBTableView1"_s, u"cxGrid2"_s, satilanColumns());
    l.incrementalSearch = false;
    l.filterButtons = false;
    l.groupByBox = true;
    l.groupFootersAlways = true;
    return l;
}

GridLayout duyuruLayout() {
    GridLayout l = base(u"cxGridduyuruBandedDuyuru"_s, u"cxGridduyuru"_s, {});
    ColumnSpec pic = col(1, u"Resim"_s, {}, Visibility::Shown, 0, Summary::None);
    pic.name = u"cxGridduyuruBandedDuyuruduyuru"_s;
    pic.kind = CellKind::Picture;
    pic.width = 605;
    ColumnSpec title = col(2, u"Baslik"_s, {}, Visibility::Never, 0, Summary::None);
    title.name = u"cxGridduyuruBandedDuyurubaslik"_s;
    ColumnSpec search = col(3, u"Arama"_s, {}, Visibility::Never, 0, Summary::None);
    search.name = u"cxGridduyuruBandedDuyuruarama"_s;
    l.columns = {pic, title, search};
    l.showHeader = false;
    l.rowHeight = 405;
    l.pixelScroll = true;
    l.sortable = false;
    l.filterButtons = false;
    l.columnChooser = false;
    l.footer = false;
    l.incrementalSearch = false;
    l.columnsMovable = false;
    l.columnsResizable = false;
    return l;
}

std::vector<NamedLayout> allGridLayouts() {
    return {
        {u"stok"_s, stokListesiLayout()},
        {u"yeniler"_s, yenilerLayout()},
        {u"kampanyali"_s, kampanyaliLayout()},
        {u"sepet"_s, sepetLayout()},
        {u"bakiye"_s, bakiyeSiparislerLayout()},
        {u"ayrinti"_s, siparisAyrintiLayout()},
        {u"tumsiparisler"_s, tumSiparislerLayout()},
        {u"oncekiler"_s, oncekiSiparislerLayout()},
        {u"siparisraporu"_s, siparisRaporuLayout()},
        {u"ekstre"_s, cariEkstreLayout()},
        {u"fatura"_s, faturaLayout()},
        {u"tahsilat"_s, tahsilatLayout()},
        {u"hareket"_s, stokHareketLayout()},
        {u"cariler"_s, carilerLayout()},
        {u"satilanstoklar"_s, satilanStoklarLayout()},
        {u"duyuru"_s, duyuruLayout()},
    };
}

} // namespace b2b
