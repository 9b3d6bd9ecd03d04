// The simulated set's event loop: one thread, one poll set. Each service of
// the set (the table transfer, and any other the set offers) registers its
// sockets here with a handler and never blocks.
#pragma once

#include <functional>

struct tvsim_loop;

// Called with the poll events that occurred on fd, or with 0 when a wake-up
// set by tvsim_loop_wake_after is due.
using tvsim_handler = std::function<void(int fd, short revents)>;

// New loop; null when its wake-up pipe cannot be made. Release with
// tvsim_loop_free, which closes no watched socket: services close their own.
tvsim_loop *tvsim_loop_new();
void tvsim_loop_free(tvsim_loop *loop);

// Starts watching fd for events (POLLIN, POLLOUT; 0 watches nothing but
// wake-ups). A socket is watched at most once; watching it again replaces
// the entry. Safe to call from a handler.
void tvsim_loop_watch(tvsim_loop *loop, int fd, short events, tvsim_handler handler);

// Changes the events watched on fd.
void tvsim_loop_set_events(tvsim_loop *loop, int fd, short events);

// Calls fd's handler with revents 0 once delay_ms have passed.
void tvsim_loop_wake_after(tvsim_loop *loop, int fd, int delay_ms);

// Stops watching fd; its handler is not called again, even within the
// current round. Safe to call from a handler.
void tvsim_loop_unwatch(tvsim_loop *loop, int fd);

// Runs until tvsim_loop_stop. 0 after a stop, -1 when polling fails.
int tvsim_loop_run(tvsim_loop *loop);

// Makes tvsim_loop_run return. Safe from a signal handler or another thread.
void tvsim_loop_stop(tvsim_loop *loop);
