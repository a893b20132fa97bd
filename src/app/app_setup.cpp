// Kelmora — Qt's own words in Chinese, and the program's icon.
#include "app/app_setup.h"

#include <algorithm>
#include <array>

#include <QCoreApplication>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QLibraryInfo>
#include <QTranslator>

namespace kelmora {

bool installQtTranslation(QCoreApplication& app) {
    // Every text of the program is Simplified Chinese whatever the system's
    // language, so Qt's words follow them rather than the locale.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

namespace {

// The icon as PNGs rendered from its SVG drawing (scripts/render_icons.sh),
// read only when a size is asked for: Qt's own file engine would decode every
// size as the program starts, and the SVG itself would load Qt's SVG library.
class RenderedIcon : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int want = std::max(size.width(), size.height());
        // The smallest rendering at least as large, else the largest one.
        int pick = kSizes.back();
        for (const int s : kSizes)
            if (s >= want) {
                pick = s;
                break;
            }
        QPixmap p(QStringLiteral(":/icons/%1.png").arg(pick));
        return pick == want || want <= 0 ? p : p.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min({size.width(), size.height(), kSizes.back()});
        return {side, side};
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> out;
        for (const int s : kSizes) out << QSize(s, s);
        return out;
    }
    QIconEngine* clone() const override { return new RenderedIcon; }
    QString key() const override { return QStringLiteral("kelmora-rendered"); }

private:
    static constexpr std::array<int, 7> kSizes{16, 24, 32, 48, 64, 128, 256};
};

}  // namespace

QIcon appIcon() { return QIcon(new RenderedIcon); }

}  // namespace kelmora
