#pragma once

#include <QObject>
#include <functional>

// Runs `work` on the thread `context` lives in (the main thread) and waits for
// it to finish, like a worker's synchronised call. The wait ends early, and
// false is returned, when the calling thread is asked to stop: a main thread
// that waits for this worker can never deadlock with it. A call made on the
// context's own thread runs at once. When `context` is destroyed before the
// work ran, the work is dropped.
bool Synchronize(QObject* context, std::function<void()> work);
