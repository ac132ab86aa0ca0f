// The load message is shown only once the file's records are read, and a save that runs while
// it is up (a queued save command, delivered by the box's own event loop) takes nothing away.
#include "fakes/fake_platform.h"
#include "model/event_rows.h"
#include "model/tintwatch_doc.h"
#include "support/processes.h"
#include "support/records.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

class BoxThatLetsASaveThrough : public FakeMessageBox {
public:
    int MessageBox(QWidget* owner, const QString& text, MbButtons buttons, MbIcon icon) override {
        whileOpen();
        return FakeMessageBox::MessageBox(owner, text, buttons, icon);
    }
    std::function<void()> whileOpen;
};

// The list as it is at start-up, before it shows the loaded events.
class NoRows : public IEventRows {
public:
    int GetItemCount() const override { return 0; }
    CEventInfo* GetItemData(int) const override { return nullptr; }
};

TEST(LoadReport, ASaveWhileTheLoadMessageIsUpKeepsEveryLoadedRecord) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Tintwatchv7.1.dat"));
    const QByteArray bytes = Words({786, 1920, 1080, 3}) + RecordBytes(NumberedEvent(1)) +
                             RecordBytes(NumberedEvent(2)) + RecordBytes(NumberedEvent(3)).left(30);
    ASSERT_TRUE(WriteFile(path, bytes));
    FakeScreen screen;
    BoxThatLetsASaveThrough box;
    CTintwatchDoc doc(screen, box);
    NoRows shown;
    doc.SetView(&shown);
    box.whileOpen = [&] { EXPECT_TRUE(doc.OnSaveDocument(path)); };

    EXPECT_EQ(doc.OnOpenDocument(path), CTintwatchDoc::OpenResult::Damaged);

    ASSERT_EQ(box.shown.size(), 1u);
    ASSERT_EQ(doc.m_arrEvents.size(), 2u);
    ExpectSameStoredFields(doc.m_arrEvents[0], NumberedEvent(1));
    ExpectSameStoredFields(doc.m_arrEvents[1], NumberedEvent(2));
    EXPECT_EQ(ReadFile(path + QStringLiteral(".bad")), bytes);
}

} // namespace
