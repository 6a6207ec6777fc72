// The main menu and the tray menu: every item in its place, with its caption, its picture and
// whether it can be chosen yet.

#include <QMenu>
#include <QMenuBar>

#include "WindowFixture.h"

namespace telmora::test {
namespace {

using MenusTest = WindowFixture;

// The captions of a menu in order, a separator as "-".
QStringList captions(const QList<QAction*>& actions) {
    QStringList out;
    for (const QAction* a : actions) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

TEST_F(MenusTest, EveryMenuHoldsItsItemsInOrder) {
    const QMenuBar* bar = form->menuBar();
    EXPECT_EQ(bar->objectName(), QStringLiteral("MainMenu1"));
    EXPECT_EQ(captions(bar->actions()), (QStringList{"&Strumenti", "&Opzioni", "&Info"}));
    struct Case {
        const char* menu;
        QStringList items;
    };
    const Case cases[] = {
        {"Strumenti1", {"&Pagine web visitate", "&Grafico", "-", "&Backup"}},
        {"Backup1", {"&Esegui", "&Ripristina"}},
        {"Opzioni1",
         {"&Traccia pagine web", "&Cancella cronologia pagine web", "&Avvisi connessione internet",
          "&Password", "-", "&Disattiva Telmora"}},
        {"Password1", {"&Attiva", "&Cambia", "&Disattiva"}},
        {"PopupMenu1", {"&Chiudi", "&Lascia attivo", "Telmor&a"}},
    };
    for (const Case& c : cases) {
        const auto* menu = form->findChild<QMenu*>(QString::fromLatin1(c.menu));
        ASSERT_NE(menu, nullptr) << c.menu;
        EXPECT_EQ(captions(menu->actions()), c.items) << c.menu;
    }
}

TEST_F(MenusTest, ItemsHaveTheirPicturesAndOnlyWorkingCommandsAreEnabled) {
    struct Case {
        const char* item;
        QString picture;  // the file under :/glyphs
        bool enabled;
    };
    const Case cases[] = {
        {"Strumenti1", "strumenti", true},
        {"Paginewebvisitate1", "glyph09", true},
        {"Chart1", "glyph15", true},
        {"Backup1", "glyph14", true},
        {"Eseguibackup1", "glyph11", true},
        {"Ripristina1", "glyph12", true},
        {"Opzioni1", "opzioni", true},
        {"tracciaweb", "glyph03", true},
        {"mnueliminacrono", "glyph01", true},
        {"Avvisi1", "glyph10", true},
        // Without a password file only "Attiva" can be chosen.
        {"Password1", "glyph04", true},
        {"InsPswMenuItem", "glyph07", true},
        {"CamPswMenuItem", "glyph05", false},
        {"DisPswMenuItem", "glyph06", false},
        {"Disattiva1", "glyph08", true},
        {"Help1", "info", true},
        {"Chiudi1", "glyph01", true},
        {"Lasciaattivo1", "glyph00", true},
        {"mnutelmora", "glyph02", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        const auto* item = form->findChild<QAction*>(QString::fromLatin1(c.item));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->isEnabled(), c.enabled);
        ASSERT_FALSE(item->icon().isNull());
        const QImage expected = picture(QIcon(QStringLiteral(":/glyphs/%1.svg").arg(c.picture)));
        ASSERT_FALSE(expected.isNull()) << "the picture does not load";
        EXPECT_EQ(picture(item->icon()), expected);
    }
    EXPECT_TRUE(form->tracciaweb->isCheckable());
}

}  // namespace
}  // namespace telmora::test
