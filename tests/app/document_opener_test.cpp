// Start-up's opening of the data file: which files are read, and what an error escaping the
// opening does to the user's file.
#include "app/document_opener.h"
#include "model/exceptions.h"
#include "platform/message_box.h"
#include "res/resource_ids.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

struct BoxShown {
    QWidget* owner;
    QString text;
    MbButtons buttons;
    MbIcon icon;
};

class RecordingMessageBox : public IMessageBox {
public:
    int MessageBox(QWidget* owner, const QString& text, MbButtons buttons, MbIcon icon) override {
        shown.push_back({owner, text, buttons, icon});
        return IDOK;
    }
    std::vector<BoxShown> shown;
};

class OpenerTest : public ::testing::Test {
protected:
    void WriteDataFile(const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadFile(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    StartDocument Open(const std::function<void(const QString&)>& open) {
        return OpenEventDocument(
            path,
            [&](const QString& p) {
                opened.push_back(p);
                open(p);
            },
            [&] { ++newDocuments; }, box);
    }

    QTemporaryDir dir;
    QString path = dir.path() + "/Tintwatchv7.1.dat";
    RecordingMessageBox box;
    QStringList opened;
    int newDocuments = 0;
};

} // namespace

TEST_F(OpenerTest, MissingOrUnreadableFileStartsEmptyWithoutMessage) {
    EXPECT_EQ(Open([](const QString&) {}), StartDocument::New);
    // A folder where the file should be cannot be read as one.
    QDir().mkdir(path);
    EXPECT_EQ(Open([](const QString&) {}), StartDocument::New);
    EXPECT_EQ(newDocuments, 2);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(box.shown.empty());
}

TEST_F(OpenerTest, ReadableFileIsOpenedAndLeftAlone) {
    WriteDataFile(QByteArray(16, '\0'));
    EXPECT_EQ(Open([](const QString&) {}), StartDocument::Opened);
    EXPECT_EQ(opened, QStringList{path});
    EXPECT_EQ(newDocuments, 0);
    EXPECT_TRUE(box.shown.empty());
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(OpenerTest, MismatchErrorIsToldKeptAsBadAndRemoved) {
    const QByteArray content("\x12\x03\0\0 user's events", 20);
    WriteDataFile(content);
    EXPECT_EQ(Open([](const QString&) { throw CFileException("read failed"); }),
              StartDocument::Mismatch);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].owner, nullptr);
    EXPECT_EQ(box.shown[0].text,
              "Seems like Application Data Mismatch due to version update.\n\nThere are good "
              "chances that the software will work fine when you start the application again.");
    EXPECT_EQ(box.shown[0].buttons, MbButtons::Ok);
    EXPECT_EQ(box.shown[0].icon, MbIcon::Error);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(ReadFile(path + ".bad"), content);
    EXPECT_EQ(newDocuments, 0);
}

TEST_F(OpenerTest, FileIsNotRemovedWhenItsCopyCannotBeKept) {
    WriteDataFile("events");
    // Something that is not a file stands where the copy would go.
    QDir().mkpath(path + ".bad/inside");
    Open([](const QString&) { throw CArchiveException(); });
    EXPECT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(ReadFile(path), "events");
}

TEST_F(OpenerTest, OtherErrorsAreIgnoredAndTheFileStays) {
    WriteDataFile("events");
    EXPECT_EQ(Open([](const QString&) { throw std::logic_error("unexpected"); }),
              StartDocument::Opened);
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(ReadFile(path), "events");
    EXPECT_FALSE(QFile::exists(path + ".bad"));
}
