// Saves of the data file, as detections and commands ask for them, one at a time: a save still
// queued takes in every later request and writes the events as they stand when it runs. A save
// is the ID_FILE_SAVE command, sent to the main frame (without one, to the fallback target).
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>

class SaveRequests : public QObject {
public:
    // Saves that detections ask for start at least this far apart: a change that keeps being
    // detected costs a few saves a second, and a detection reaches the disk at most this long
    // (and one save) after it.
    static constexpr std::chrono::milliseconds kDetectionSpacing{250};

    enum class Pace {
        NextPass, // a change the user made: saved once the handler that asked has returned
        Spaced,   // a detection: saved kDetectionSpacing after the last save at the latest
    };

    explicit SaveRequests(QObject* fallback);

    void Request(Pace pace);
    // Saves at once, taking in a queued save: for a state that must be on the disk before
    // what follows it.
    void SaveNow();
    // Runs the queued save at once, if there is one (the program is closing).
    void RunQueued();

private:
    void OnPosted();

    QPointer<QObject> m_fallback;
    QTimer m_spacing; // running: a spaced save is queued
    QElapsedTimer m_sinceLastSave;
    bool m_bPosted = false; // a save is queued for the next pass of the event loop
};
