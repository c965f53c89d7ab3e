// Record sets, number formats, transfer objects and the JSON codec, without a network.
#include "numfmt.h"
#include "recordset.h"
#include "transfer.h"
#include "wire.h"

#include <QSignalSpy>
#include <QTest>

using namespace b2b;

namespace {

TableData table(std::initializer_list<FieldDef> defs) {
    TableData t;
    for (const FieldDef &d : defs) t.addColumn(d);
    return t;
}

void addRow(TableData &t, std::initializer_list<QVariant> values) {
    int c = 0;
    for (const QVariant &v : values) {
        Column &col = t.columns[size_t(c++)];
        if (!v.isValid()) col.appendNull();
        else if (v.typeId() == QMetaType::QString) col.appendText(v.toString());
        else if (v.typeId() == QMetaType::QByteArray) col.appendBlob(v.toByteArray());
        else if (v.typeId() == QMetaType::Double) col.appendReal(v.toDouble());
        else col.appendInt(v.toLongLong());
    }
    ++t.rowCount;
}

TableData secTable(std::initializer_list<int> secs) {
    TableData t = table({{"SEC", FieldKind::Integer}, {"ADI", FieldKind::Text}});
    int n = 0;
    for (int s : secs) addRow(t, {s, QStringLiteral("satır %1").arg(++n)});
    return t;
}

} // namespace

class TstWire : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }

    void formatFloat_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("grouping") << kMoneyFormat << 1234567.891 << "1.234.567,89";
        QTest::newRow("half") << kMoneyFormat << 1234.5 << "1.234,50";
        QTest::newRow("zero") << kMoneyFormat << 0.0 << "0,00";
        QTest::newRow("small") << kMoneyFormat << 0.005 << "0,01";
        QTest::newRow("negative") << kMoneyFormat << -1234.567 << "-1.234,57";
        QTest::newRow("negative rounds to zero") << kMoneyFormat << -0.001 << "0,00";
        QTest::newRow("two int digits") << QStringLiteral("#,###,##00.00") << 5.0 << "05,00";
        QTest::newRow("no int digit") << QStringLiteral("#,###,##.00") << 0.5 << ",50";
        QTest::newRow("no int digit zero") << QStringLiteral("#,###,##.00") << 0.0 << ",00";
        QTest::newRow("carry") << kMoneyFormat << 999999.996 << "1.000.000,00";
        QTest::newRow("1.005 rounds up") << kMoneyFormat << 1.005 << "1,01";
        QTest::newRow("large") << kMoneyFormat << 12345678901.0 << "12.345.678.901,00";
    }
    void formatFloat() {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(FormatFloat(pattern, value), expected);
    }

    void ikiHaneYuvarla_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("0.125") << 0.125 << 0.13;
        QTest::newRow("0.13+0.125") << 0.13 + 0.125 << 0.26;
        QTest::newRow("-0.125") << -0.125 << -0.13;
        QTest::newRow("1234.567") << 1234.567 << 1234.57;
        QTest::newRow("integer") << 42.0 << 42.0;
        QTest::newRow("zero") << 0.0 << 0.0;
        QTest::newRow("2.675") << 2.675 << 2.68;
    }
    void ikiHaneYuvarla() {
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(IkiHaneYuvarla(value), expected);
    }

    void seciliVarmi() {
        RecordSet rs;
        QVERIFY(!SeciliVarmi(rs)); // closed
        rs.Load(secTable({}));
        QVERIFY(!SeciliVarmi(rs)); // empty
        rs.Load(secTable({0, 0, 1}));
        QVERIFY(SeciliVarmi(rs));
        QCOMPARE(rs.RecNo(), 3);
        QCOMPARE(rs.FieldByName("ADI").AsString(), QStringLiteral("satır 3"));
        rs.Load(secTable({0, 0, 0}));
        QVERIFY(!SeciliVarmi(rs));
        QVERIFY(rs.Eof());
    }

    void cursorAndFields() {
        RecordSet rs;
        TableData t = table({{"STOKNO", FieldKind::Integer}, {"FIYAT", FieldKind::Float}, {"ADI", FieldKind::Text}});
        addRow(t, {7, 1234.5, QStringLiteral("Fren balatası")});
        addRow(t, {8, 2.0, QStringLiteral("Yağ filtresi")});
        addRow(t, {9, QVariant(), QVariant()});
        rs.Load(std::move(t));
        QCOMPARE(rs.RecordCount(), 3);
        QVERIFY(rs.Locate("STOKNO", 8));
        QCOMPARE(rs.FieldByName("ADI").AsString(), QStringLiteral("Yağ filtresi"));
        QVERIFY(!rs.Locate("STOKNO", 99));
        QCOMPARE(rs.Row(), 1); // a failed locate does not move
        try {
            rs.FieldByName("YOKALAN");
            QFAIL("a missing field must fail");
        } catch (const RecordSetError &e) {
            QVERIFY(e.text.contains("YOKALAN"));
        }
        rs.MoveTo(2);
        QVERIFY(rs.FieldByName("FIYAT").IsNull());
        QCOMPARE(rs.FieldByName("FIYAT").AsFloat(), 0.0);

        // Two-decimal display on float fields only.
        SayiFormatla(rs);
        QCOMPARE(rs.DisplayText(0, 1), QStringLiteral("1.234,50"));
        QCOMPARE(rs.DisplayText(0, 0), QStringLiteral("7"));

        // Local edit and post.
        QSignalSpy changed(&rs, &RecordSet::rowChanged);
        rs.First();
        rs.Edit();
        rs.FieldByName("ADI").SetValue(QStringLiteral("Değişti"));
        rs.Post();
        QCOMPARE(rs.FieldByName("ADI").AsString(), QStringLiteral("Değişti"));
        QCOMPARE(changed.count(), 1);

        // Views hear one reset after a suspended walk.
        QSignalSpy reset(&rs, &RecordSet::dataReset);
        QSignalSpy moved(&rs, &RecordSet::currentChanged);
        rs.DisableControls();
        for (rs.First(); !rs.Eof(); rs.Next()) {
        }
        QCOMPARE(moved.count(), 0);
        rs.EnableControls();
        QCOMPARE(moved.count(), 1);
    }

    void declaredFields() {
        auto declared = std::vector<FieldDef>{{"SATICIADI", FieldKind::Text, 50},
                                              {"IDNO", FieldKind::Float},
                                              {"TARIH", FieldKind::Date}};
        TableData good = table({{"TARIH", FieldKind::DateTime}, {"IDNO", FieldKind::Integer},
                                {"SATICIADI", FieldKind::Text, 50}, {"EXTRA", FieldKind::Text}});
        addRow(good, {45000.0, 12, QStringLiteral("Ayşe"), QVariant()});
        RecordSet rs;
        rs.SetDeclaredFields(declared);
        rs.Load(good);
        QCOMPARE(rs.FieldCount(), 3); // declared fields, declared order
        QCOMPARE(rs.FieldDefAt(0).name, QStringLiteral("SATICIADI"));
        QCOMPARE(rs.FieldByName("IDNO").AsInteger(), 12);
        QCOMPARE(rs.FieldByName("IDNO").Kind(), FieldKind::Float);

        struct Case {
            const char *name;
            TableData data;
            const char *mentions;
        };
        std::vector<Case> cases;
        cases.push_back({"missing", table({{"SATICIADI", FieldKind::Text}, {"IDNO", FieldKind::Integer}}), "TARIH"});
        cases.push_back({"wrong kind",
                         table({{"SATICIADI", FieldKind::Text}, {"IDNO", FieldKind::Text}, {"TARIH", FieldKind::Date}}),
                         "IDNO"});
        cases.push_back({"too long",
                         table({{"SATICIADI", FieldKind::Text, 200}, {"IDNO", FieldKind::Float}, {"TARIH", FieldKind::Date}}),
                         "SATICIADI"});
        for (Case &c : cases) {
            try {
                rs.Load(std::move(c.data));
                QFAIL(c.name);
            } catch (const RecordSetError &e) {
                QVERIFY2(e.text.contains(QLatin1String(c.mentions)), qPrintable(e.text));
            }
            QCOMPARE(rs.RecordCount(), 1); // the failed load left the record set as it was
        }
    }

    void tableRoundTrip() {
        TableData t = table({{"I", FieldKind::Integer}, {"L", FieldKind::LargeInt}, {"F", FieldKind::Float},
                             {"C", FieldKind::Currency}, {"T", FieldKind::Text}, {"D", FieldKind::Date},
                             {"DT", FieldKind::DateTime}, {"B", FieldKind::Boolean}, {"BL", FieldKind::Blob},
                             {"TM", FieldKind::Time}});
        addRow(t, {-5, qint64(1) << 40, 1.25, 99.99, QStringLiteral("ğüşıöçİ \"q\" \\ \n"), 45291.0, 45291.5, 1,
                   QByteArray("\x00\xff\x10", 3), 0.25});
        addRow(t, {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                   QVariant(), QVariant()});
        JsonWriter w;
        writeTable(w, t);
        const TableData back = parseTable(w.out);
        QCOMPARE(back.rowCount, 2);
        QCOMPARE(back.columns.size(), t.columns.size());
        for (size_t c = 0; c < t.columns.size(); ++c) {
            QCOMPARE(back.columns[c].def.name, t.columns[c].def.name);
            QCOMPARE(back.columns[c].def.kind, t.columns[c].def.kind);
            for (int r = 0; r < 2; ++r) QCOMPARE(back.value(r, int(c)), t.value(r, int(c)));
        }
        QCOMPARE(back.value(0, 6).toDateTime(), QDateTime(QDate(2023, 12, 31), QTime(12, 0)));

        // Real servers answer an empty result without columns.
        const TableData empty = parseTable(R"({"table":[]})");
        QCOMPARE(empty.rowCount, 0);
        QCOMPARE(empty.columns.size(), size_t(0));
    }

    void malformedAnswers_data() {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("not json") << "SepetSayisi" << QByteArray("<html>") << "not valid JSON";
        QTest::newRow("truncated") << "SepetSayisi" << QByteArray(R"({"result":[1)") << "not valid JSON";
        QTest::newRow("no result") << "SepetSayisi" << QByteArray(R"({"x":1})") << "no result";
        QTest::newRow("result not array") << "SepetSayisi" << QByteArray(R"({"result":5})") << "not an array";
        QTest::newRow("too short") << "ResimVer5" << QByteArray(R"({"result":[3]})") << "expected 2";
        QTest::newRow("too long") << "SepetSayisi" << QByteArray(R"({"result":[1,2]})") << "expected 1";
        QTest::newRow("wrong type") << "SepetSayisi" << QByteArray(R"({"result":["1"]})") << "not an integer";
        QTest::newRow("int out of range") << "SepetSayisi" << QByteArray(R"({"result":[4294967296]})") << "32-bit";
        QTest::newRow("fraction") << "SepetSayisi" << QByteArray(R"({"result":[1.5]})") << "not an integer";
        QTest::newRow("bool expected") << "SiparisKaydet" << QByteArray(R"({"result":[1]})") << "Boolean";
        QTest::newRow("error answer") << "SepetSayisi" << QByteArray(R"({"error":"Sepet kilitli"})") << "Sepet kilitli";
        QTest::newRow("short column")
            << "CariEkstreVer"
            << QByteArray(R"({"result":[{"table":[["A",6,0,0,0,0,0,0,true,false,0,false,false],["B",26,1,0,0,0,0,0,true,false,0,false,false]],"A":[1,2],"B":["x"]}]})")
            << "has 1 values, expected 2";
        QTest::newRow("missing column")
            << "CariEkstreVer" << QByteArray(R"({"result":[{"table":[["A",6,0,0,0,0,0,0,true,false,0,false,false]]}]})")
            << "'A' has no values";
        QTest::newRow("unknown type")
            << "CariEkstreVer" << QByteArray(R"({"result":[{"table":[["A",99,0,0,0,0,0,0,true,false,0,false,false]],"A":[]}]})")
            << "unknown type";
        QTest::newRow("bad cell")
            << "CariEkstreVer" << QByteArray(R"({"result":[{"table":[["A",6,0,0,0,0,0,0,true,false,0,false,false]],"A":["x"]}]})")
            << "row 1";
        QTest::newRow("bad date")
            << "CariEkstreVer" << QByteArray(R"({"result":[{"table":[["A",2,0,0,0,0,0,0,true,false,0,false,false]],"A":["2024-13-45"]}]})")
            << "a date";
        QTest::newRow("object of wrong class")
            << "BuyukGetir" << QByteArray(R"({"result":[{"type":"baglantiu.TTusSonuclari","id":1,"fields":{}}]})")
            << "expected baglantiu.TSonucBilgisi";
        QTest::newRow("stream byte out of range") << "ResimVer5" << QByteArray(R"({"result":[1,[256]]})") << "not a byte";
    }
    void malformedAnswers() {
        QFETCH(QString, method);
        QFETCH(QByteArray, body);
        QFETCH(QString, mentions);
        const MethodSpec *m = findMethod(method);
        QVERIFY(m);
        try {
            decodeResult(std::string_view(body.constData(), size_t(body.size())), *m);
            QFAIL("a malformed answer must fail");
        } catch (const RemoteError &e) {
            QVERIFY2(e.text.contains(mentions), qPrintable(e.text));
        }
    }

    void rawStreamAnswer() {
        const std::string jpeg("\xff\xd8\xff\xe0 not json", 14);
        auto r = decodeResult(jpeg, *findMethod("ResimVer5"));
        QCOMPARE(wireInt64(r[0], "size"), qint64(jpeg.size()));
        QCOMPARE(wireStream(r[1], "stream"), QByteArray(jpeg.data(), qsizetype(jpeg.size())));
    }

    void transferObjects() {
        TSonucBilgisi fresh;
        QCOMPARE(fresh.MusteriTipi(), 1);
        QCOMPARE(fresh.Version(), 1);
        QVERIFY(!fresh.Varmi());

        TSonucBilgisi s;
        s.SetADI("MEHMET");
        s.SetSIFRE("ŞİFRE1");
        s.SetCARINO(42);
        s.SetVarmi(true);
        s.SetBILGISAYARID("ABC-1");
        s.SetMusteriTipi(3);
        TSonucBilgisi copy;
        copy.Kopyala(s);
        QCOMPARE(copy, s);
        QCOMPARE(TSonucBilgisi::unmarshal(s.marshal()), s);
        QCOMPARE(s.marshal().value("type").toString(), QStringLiteral("baglantiu.TSonucBilgisi"));
        QVERIFY(s.marshal().value("fields").toObject().contains("FBILGISAYARID"));

        // Unknown fields are ignored, missing ones keep their defaults, wrong kinds fail.
        QJsonObject f{{"FADI", "X"}, {"FYeniAlan", 5}};
        const TSonucBilgisi partial = TSonucBilgisi::fromFields(f);
        QCOMPARE(partial.ADI(), QStringLiteral("X"));
        QCOMPARE(partial.Version(), 1);
        QVERIFY_THROWS_EXCEPTION(RemoteError, TSonucBilgisi::fromFields(QJsonObject{{"FCARINO", "12"}}));
        QVERIFY_THROWS_EXCEPTION(RemoteError, TSonucBilgisi::fromFields(QJsonObject{{"FCARINO", 1e12}}));

        TAcilisEkranlariki holder;
        QVERIFY(TAcilisEkranlariki::unmarshal(holder.marshal()).Ekranlar().empty());
        TAcilisEkran e;
        e.SetBaslik("Duyuru");
        e.SetResim("4A46");
        holder.SetEkranlar({e, e});
        QCOMPARE(TAcilisEkranlariki::unmarshal(holder.marshal()), holder);
    }

    void hexCoz_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("fails");
        QTest::newRow("pairs") << "4A46" << QByteArray("\x4a\x46") << false;
        QTest::newRow("lower case") << "ff0a" << QByteArray("\xff\x0a") << false;
        QTest::newRow("odd tail") << "4A4" << QByteArray("\x4a\x04") << false;
        QTest::newRow("empty") << "" << QByteArray() << false;
        QTest::newRow("not hex") << "4G" << QByteArray() << true;
        QTest::newRow("bad tail") << "4Az" << QByteArray() << true;
    }
    void hexCoz() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, fails);
        if (fails) {
            QVERIFY_THROWS_EXCEPTION(RemoteError, HexCoz(text));
        } else {
            QCOMPARE(HexCoz(text), bytes);
            if (text.size() % 2 == 0) QCOMPARE(HexCoz(HexKodla(bytes)), bytes);
        }
    }

    void requestChecks() {
        const MethodSpec &m = *findMethod("SepetSatirSil");
        TSonucBilgisi s;
        const std::string good = encodeRequest({argObject(s), int32_t(5), QStringLiteral("iptal")});
        auto in = decodeRequest(good, m);
        QCOMPARE(wireInt(in[1], "satirno"), 5);
        QVERIFY_THROWS_EXCEPTION(RemoteError, decodeRequest(R"({"_parameters":[null,5]})", m));
        QVERIFY_THROWS_EXCEPTION(RemoteError, decodeRequest(R"({"_parameters":[null,"5","x"]})", m));
        QVERIFY_THROWS_EXCEPTION(RemoteError, decodeRequest(R"({"_parameters":[null,2147483648,"x"]})", m));
        QVERIFY_THROWS_EXCEPTION(RemoteError, decodeRequest(R"([1,2,3])", m));
    }
};

QTEST_GUILESS_MAIN(TstWire)
#include "tst_wire.moc"
