#include "app/RecordingLifecycle.h"

RecordingLifecycle::Action RecordingLifecycle::OnRecordPressed(bool recording, bool workersEnded)
{
    if (recording)
        return kNothing;
    if (workersEnded)
    {
        m_bRecordWaiting = false;
        return kStart;
    }
    // Stopped a moment ago: the new recording would reset the ring under the old writer.
    if (m_phase == kIdle)
        m_phase = kFinishing;
    m_bRecordWaiting = true;
    return kWait;
}

void RecordingLifecycle::OnStarted()
{
    m_phase = kRecording;
    m_bRecordWaiting = false;
}

void RecordingLifecycle::OnStopPressed()
{
    m_bRecordWaiting = false;
}

bool RecordingLifecycle::OnShownIdle()
{
    if (m_phase != kRecording)
        return false;
    m_phase = kFinishing;
    return true;
}

RecordingLifecycle::Action RecordingLifecycle::OnWorkersChecked(bool workersEnded)
{
    if (workersEnded && m_phase == kFinishing)
        m_phase = kIdle;
    if (!m_bRecordWaiting)
        return kNothing;
    // Still shown as recording: its failure is about to be handled, and the waiting
    // Record starts after that.
    if (m_phase != kIdle)
        return kWait;
    m_bRecordWaiting = false;
    return kStart;
}
