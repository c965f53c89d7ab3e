#include "zircon.h"

#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

static void initZirconResources() { Q_INIT_RESOURCE(zircon); }

namespace b2b {

bool ZirconUygula(QApplication &app) {
    initZirconResources();
    QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    if (!fusion) return false;
    app.setStyle(fusion);
    fusion->setObjectName(QStringLiteral("Zircon"));

    QPalette p;
    const QColor window(0xE6, 0xEB, 0xF0), base(Qt::white), text(0x1E, 0x2A, 0x36);
    const QColor button(0xDC, 0xE3, 0xEA), accent(0x2F, 0x6E, 0xA5);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, QColor(0xF2, 0xF5, 0xF8));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE8));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Link, accent);
    p.setColor(QPalette::Mid, QColor(0xA9, 0xB6, 0xC3));
    p.setColor(QPalette::Dark, QColor(0x7D, 0x8C, 0x9B));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x8A, 0x95, 0xA0));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x8A, 0x95, 0xA0));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x8A, 0x95, 0xA0));
    app.setPalette(p);

    // Windows set their font (and some panels their colours) for all their controls; the style
    // sheet must not stop that from reaching the children.
    QCoreApplication::setAttribute(Qt::AA_UseStyleSheetPropagationInWidgetStyles, true);
    QFile qss(QStringLiteral(":/b2b/zircon.qss"));
    if (!qss.open(QIODevice::ReadOnly)) return false;
    app.setStyleSheet(QString::fromUtf8(qss.readAll()));
    return true;
}

} // namespace b2b
