// Feeds arbitrary bytes to the data-file loader. Every input must load without a crash, a hang
// or a leak, show at most one message, and whatever loaded must save and load back to the same
// events without a message.
#include "fakes/fake_platform.h"
#include "model/archive.h"
#include "model/tintwatch_doc.h"
#include "support/isolated_environment.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "document fuzzer: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    IsolateUserFolders();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeScreen screen;
    FakeMessageBox messages;
    CTintwatchDoc doc(screen, messages);
    const auto result = doc.LoadFromBytes(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    Require(messages.shown.size() <= 1, "more than one message for one load");
    Require((result == CTintwatchDoc::OpenResult::Damaged) == (messages.shown.size() == 1),
            "a damaged load without its message, or a message for a whole one");

    QByteArray saved;
    CArchive ar(saved, CArchive::store);
    doc.Serialize(ar);

    FakeMessageBox reloadMessages;
    CTintwatchDoc reloaded(screen, reloadMessages);
    Require(reloaded.LoadFromBytes(saved) == CTintwatchDoc::OpenResult::Complete,
            "a saved list does not load whole");
    Require(reloadMessages.shown.empty(), "a saved list loads with a message");
    QByteArray savedAgain;
    CArchive again(savedAgain, CArchive::store);
    reloaded.Serialize(again);
    Require(savedAgain == saved, "the events changed on saving and loading back");
    return 0;
}
