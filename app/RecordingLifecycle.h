// The main window's recording, from Record to the moment its threads have ended: what a
// Record press does, and when a Record that came while the last recording was still being
// finished may start. The window feeds it what it sees; it holds no handle itself.
#pragma once

class RecordingLifecycle
{
public:
    enum Phase
    {
        kIdle,      // no recording, no worker running
        kRecording, // the read-outs show a recording, from its start to its reset or failure
        kFinishing, // shown as over, but its workers are still finishing the file
    };
    enum Action
    {
        kNothing,
        kStart, // start a recording now
        kWait,  // check again until the last recording's workers have ended
    };

    Phase GetPhase() const { return m_phase; }
    bool IsRecordWaiting() const { return m_bRecordWaiting; }

    // Record pressed. recording: the session's flag; workersEnded: no worker of the last
    // recording runs. A Record while one runs does nothing; one while the last is being
    // finished waits for its workers, however it learnt of their end.
    Action OnRecordPressed(bool recording, bool workersEnded);
    // A recording has started.
    void OnStarted();
    // Stop or exit: a waiting Record is dropped.
    void OnStopPressed();
    // The recording is shown as over (its reset, or a failure): FALSE when it was not shown.
    bool OnShownIdle();
    // Whenever the workers may have ended (a check while a Record waits, a failure handled):
    // kStart when a waiting Record may start now.
    Action OnWorkersChecked(bool workersEnded);

private:
    Phase m_phase = kIdle;
    bool m_bRecordWaiting = false;
};
