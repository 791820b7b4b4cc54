// The end of a start-up probe's first frame, the same for both probes.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include "probe_clock.h"

namespace vimbrel::bench {

// Called from a paint of the first frame: reports as soon as the frame is painted and handed to
// the window system. The event is posted at high priority, so that it runs ahead of whatever the
// window queued meanwhile (the board queues its start dialog), which is no part of the start.
inline void report_when_the_frame_is_done() {
    class Report final : public QObject {
    protected:
        bool event(QEvent*) override { report_frame_done_and_exit(); }
    };
    QCoreApplication::postEvent(new Report, new QEvent(QEvent::User), Qt::HighEventPriority);
}

}  // namespace vimbrel::bench
