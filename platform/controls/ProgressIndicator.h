// TProgressIndicator: tells the user that long work on the user-interface thread is
// under way. Once the work has taken half a second, a box over the control it belongs
// to says what is being done and how far it got ("Loading records: 45,000 of
// 1,000,000"), with a bar, drawn again about ten times a second while the work goes
// on; the display is let catch up each time (user input waits for the message loop).
// Work that ends sooner shows nothing. When the indicator goes, the control repaints
// the place it covered.
//
//     TProgressIndicator progress(chart, "Loading records", count);
//     for (...) { ...; progress.Step(done); }
#pragma once

#include "platform/core/Types.h"

#include <cstdint>
#include <string>

class TWinControl;

class TProgressIndicator {
public:
    TProgressIndicator(TWinControl* Control, std::string What, int64_t Total);
    ~TProgressIndicator();
    TProgressIndicator(const TProgressIndicator&) = delete;
    TProgressIndicator& operator=(const TProgressIndicator&) = delete;

    // Done of Total are done. Cheap: the clock is looked at only now and then.
    void Step(int64_t Done);
    // The work goes on with another stage: what it does and how much there is, on the
    // same clock.
    void SetStage(std::string What, int64_t Total);
    // The box has been drawn at least once.
    bool Shown() const { return m_shown; }
    // The text the box shows for Done.
    std::string Text(int64_t Done) const;
    // Where the box was last drawn (client coordinates of the control).
    const TRect& Box() const { return m_box; }

    static constexpr DWORD kDelayMs = 500;
    static constexpr DWORD kIntervalMs = 100;

private:
    void Draw(int64_t Done);

    TWinControl* m_control;
    std::string m_what;
    int64_t m_total;
    DWORD m_started;
    DWORD m_lastDrawn = 0;
    int m_calls = 0;
    bool m_shown = false;
    TRect m_box;
};
