// The load message is shown only once the file's records are read, and a save that runs while
// it is up (a queued save command, delivered by the box's own event loop) takes nothing away.
#include "document_fixture.h"

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

TEST_F(DocumentTest, ASaveWhileTheLoadMessageIsUpKeepsEveryLoadedRecord) {
    const QByteArray bytes = Words({786, 1920, 1080, 3}) + RecordBytes(NumberedEvent(1)) +
                             RecordBytes(NumberedEvent(2)) + RecordBytes(NumberedEvent(3)).left(30);
    WriteBytes(FilePath(), bytes);
    BoxThatLetsASaveThrough box;
    CTintwatchDoc doc(m_platform.screen, box);
    RowsInMemory shown; // the list shows nothing yet, as at start-up
    doc.SetView(&shown);
    box.whileOpen = [&] { EXPECT_TRUE(doc.OnSaveDocument(FilePath())); };

    EXPECT_EQ(doc.OnOpenDocument(FilePath()), CTintwatchDoc::OpenResult::Damaged);

    ASSERT_EQ(box.shown.size(), 1u);
    ASSERT_EQ(doc.m_arrEvents.size(), 2u);
    ExpectSameStoredFields(doc.m_arrEvents[0], NumberedEvent(1));
    ExpectSameStoredFields(doc.m_arrEvents[1], NumberedEvent(2));
    EXPECT_EQ(ReadBytes(BadPath()), bytes);
}

} // namespace
