// The message dialog's Turkish texts and the file-filter form, through the scripted seam.
#include "fakeui.h"
#include "uiseam.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace b2b;

class TestUiSeam : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captionsAndButtons_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("defaultCode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QString>("defaultLabel");
        QTest::newRow("warning ok") << int(MsgKind::Warning) << int(mbOK) << int(dbOK) << "Uyarı"
                                    << QStringList{"Tamam"} << "Tamam";
        QTest::newRow("error ok") << int(MsgKind::Error) << int(mbOK) << int(dbOK) << "Hata" << QStringList{"Tamam"}
                                  << "Tamam";
        QTest::newRow("info ok") << int(MsgKind::Information) << int(mbOK) << int(dbOK) << "Bilgi"
                                 << QStringList{"Tamam"} << "Tamam";
        QTest::newRow("question no default") << int(MsgKind::Confirmation) << int(mbYes | mbNo) << int(dbNo)
                                             << "Soru" << QStringList{"Evet", "Hayır"} << "Hayır";
        QTest::newRow("all buttons") << int(MsgKind::Confirmation)
                                     << int(mbYes | mbNo | mbOK | mbCancel | mbAbort | mbRetry | mbIgnore | mbHelp)
                                     << int(dbHelp) << "Soru"
                                     << QStringList{"Evet", "Hayır", "Tamam", "Vazgeç", "İptal", "Tekrar", "Atla",
                                                    "Yardım"}
                                     << "Yardım";
    }
    void captionsAndButtons() {
        QFETCH(int, kind);
        QFETCH(int, buttons);
        QFETCH(int, defaultCode);
        QFETCH(QString, caption);
        QFETCH(QStringList, labels);
        QFETCH(QString, defaultLabel);
        test::FakeUi ui;
        ui.answers.enqueue(mrNo);
        QCOMPARE(MesajKutusu("Silinsin mi ?", MsgKind(kind), buttons, defaultCode), int(mrNo));
        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(ui.shown[0].caption, caption);
        QCOMPARE(ui.shown[0].text, QStringLiteral("Silinsin mi ?"));
        QCOMPARE(ui.shown[0].buttons, labels);
        QCOMPARE(ui.shown[0].defaultButton, defaultLabel);
    }

    void realDialogKeepsButtonOrder() {
        MessageRequest req;
        req.kind = MsgKind::Confirmation;
        req.caption = captionOf(req.kind);
        req.text = QStringLiteral("Programdan Çıkmak İstiyor musunuz ?");
        req.buttonSet = mbYes | mbNo | mbCancel;
        req.defaultCode = dbNo;
        auto box = makeMessageBox(nullptr, req);
        auto *bb = box->findChild<QDialogButtonBox *>();
        QVERIFY(bb);
        QStringList order;
        QList<int> results;
        for (int i = 0; i < bb->layout()->count(); ++i)
            if (auto *b = qobject_cast<QAbstractButton *>(bb->layout()->itemAt(i)->widget())) {
                order << b->text();
                results << b->property("modalResult").toInt();
            }
        QCOMPARE(order, (QStringList{"Evet", "Hayır", "Vazgeç"}));
        QCOMPARE(results, (QList<int>{mrYes, mrNo, mrCancel}));
        QCOMPARE(box->defaultButton()->text(), QStringLiteral("Hayır"));
        QCOMPARE(box->escapeButton()->text(), QStringLiteral("Vazgeç"));
        QCOMPARE(box->windowTitle(), QStringLiteral("Soru"));
        QCOMPARE(box->font().pointSize(), 15);
    }

    void fileFilter_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("excel") << "Excel|*.xls*" << "Excel (*.xls*)";
        QTest::newRow("two") << "PDF|*.pdf|Hepsi|*.*" << "PDF (*.pdf);;Hepsi (*.*)";
        QTest::newRow("several patterns") << "Resim|*.png;*.jpg" << "Resim (*.png *.jpg)";
        QTest::newRow("already Qt form") << "Excel (*.xlsx)" << "Excel (*.xlsx)";
    }
    void fileFilter() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(qtFileFilter(in), out);
    }
};

QTEST_MAIN(TestUiSeam)
#include "test_uiseam.moc"
