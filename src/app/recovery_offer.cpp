#include "recovery_offer.h"

#include "controls/busy_cursor.h"
#include "core/common_dialogs.h"
#include "core/recovery_copy.h"
#include "core/recovery_format.h"
#include "document_commands.h"

#include <QString>

bool offerRecovery(RecoveryCopy &copy, DocumentCommands &commands, CommonDialogs &dialogs,
                   QWidget *owner)
{
    const QString title = QStringLiteral("恢复图片");
    const QString damaged = QStringLiteral("恢复副本已损坏，无法读取，已将其删除。");
    for (OrphanCopy &orphan : copy.orphans()) {
        if (!recovery::isWholeCopy(orphan.copyPath())) {
            dialogs.message(owner, damaged, title, CommonDialogs::Icon::Warning);
            orphan.remove();
            continue;
        }
        if (!dialogs.askYesNo(owner,
                              QStringLiteral("Kalvo 上次没有正常结束。要恢复未保存的图片吗?"),
                              title, CommonDialogs::Icon::Question)) {
            orphan.remove();
            continue;
        }
        recovery::RecoveredPicture picture;
        {
            const BusyCursor busy;
            picture = recovery::readCopy(orphan.copyPath());
        }
        switch (picture.outcome) {
        case recovery::RecoveredPicture::Outcome::Read:
            if (!commands.showRecovered(picture.image, picture.background))
                break;
            copy.adopt(orphan);
            return true;
        case recovery::RecoveredPicture::Outcome::Damaged:
            dialogs.message(owner, damaged, title, CommonDialogs::Icon::Warning);
            orphan.remove();
            continue;
        case recovery::RecoveredPicture::Outcome::NoMemory:
            break;
        }
        // Kept for a start with more memory to spare.
        dialogs.message(owner, QStringLiteral("内存不足，无法恢复图片。恢复副本保留到下次启动。"),
                        title, CommonDialogs::Icon::Warning);
        return false;
    }
    return false;
}
