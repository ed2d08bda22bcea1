#include "app/MenuBuilder.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/CommandRouter.h"
#include "app/CommandTable.h"
#include "app/ToolbarIcons.h"

namespace hx {

namespace {

constexpr CommandId kRecent[] = {CommandId::RecentFile1, CommandId::RecentFile2, CommandId::RecentFile3,
                                 CommandId::RecentFile4};

void fillMenu(QMenu* menu, const std::vector<MenuItem>& items, CommandRouter& router,
              const std::function<QStringList()>& recentFiles) {
    for (const MenuItem& it : items) {
        switch (it.kind) {
            case MenuItem::Kind::Command: menu->addAction(router.action(it.id)); break;
            case MenuItem::Kind::Separator: menu->addSeparator(); break;
            case MenuItem::Kind::Submenu:
                fillMenu(menu->addMenu(QString::fromLatin1(it.title)), it.children, router, recentFiles);
                break;
            case MenuItem::Kind::RecentFiles:
                for (CommandId id : kRecent) menu->addAction(router.action(id));
                // Entry texts follow the list each time the menu opens.
                QObject::connect(menu, &QMenu::aboutToShow, menu, [&router, recentFiles] {
                    const QStringList files = recentFiles ? recentFiles() : QStringList{};
                    for (int i = 0; i < 4; ++i) {
                        QAction* a = router.action(kRecent[i]);
                        const QString name = i < files.size() ? QFileInfo(files[i]).fileName() : QString();
                        a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name.isEmpty() ? QStringLiteral("(empty)") : name));
                        a->setStatusTip(i < files.size() ? files[i] : QString());
                    }
                });
                break;
        }
    }
}

}  // namespace

void buildMenuBar(QMenuBar* bar, CommandRouter& router, std::function<QStringList()> recentFiles) {
    bar->clear();
    for (const MenuSpec& menuLayout : menuBarLayout()) {
        QMenu* menu = bar->addMenu(QString::fromLatin1(menuLayout.title));
        fillMenu(menu, menuLayout.items, router, recentFiles);
        QObject::connect(menu, &QMenu::aboutToShow, &router, &CommandRouter::updateAll);
    }
}

void buildToolBar(QToolBar* bar, CommandRouter& router) {
    bar->clear();
    for (const ToolbarSlot& slot : toolbarLayout()) {
        if (slot.separator) {
            bar->addSeparator();
            continue;
        }
        QAction* a = router.action(slot.id);
        if (a->icon().isNull()) a->setIcon(toolbarIcon(slot.id));
        bar->addAction(a);
    }
}

}  // namespace hx
