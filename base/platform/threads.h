#pragma once

// Every thread the program runs, and what each may touch. A thread not listed
// here is a fault. Each worker is a platform::Worker (worker.h): owned by one
// object on the main thread, stopped and joined by it, handing its results to
// the main thread with platform::HandOver and never waiting for it.
//
// main            Qt's GUI thread. Owns every widget, the plug-in libraries and
//                 the screens they create, the settings file (config.ini) and the
//                 phrases. Watches the hosted screens' close flag with a timer.
//                 Starts and joins the workers below.
//
// ConnectWorker   One connect-and-identify run (device/connect_worker.h), owned
//                 by the navigation host. Opens the port itself (a network gateway
//                 may take seconds to answer) and touches only that port (the host
//                 takes it over when the device selection opens), the exchange
//                 log's folder, the identified-device list (locked), the firmware
//                 catalogue and the settings file (locked). Reports a port that
//                 would not open, progress, the opening of the device selection
//                 and its end by HandOver.
//
// MeterScan       One search for the meters on a bus (device/scan_worker.h),
//                 owned by the "Find meters" screen. Opens the port itself and
//                 touches only that port, which it closes when the search ends,
//                 and the settings file (locked). Reports a port that would not
//                 open, progress, each meter found and its end by HandOver.
//
// UpdateWorker    One self-update (online/update_worker.h), owned by the update
//                 screen. Touches the network, the files it stages in the working
//                 folder and its own result (locked). Reports each downloaded
//                 chunk and its end by HandOver.
//
// NameLookup      One host-name look-up of an HTTP exchange (online/name_lookup.h),
//                 the one thread that is not a Worker: a name server may never
//                 answer, so its caller waits only until its deadline and leaves
//                 it. It touches only its own copy of the name and a shared
//                 result block it co-owns, and ends with the look-up.
//
// DeviceRead      One meter read of a device plug-in's working screen, owned by
//                 that screen. Touches only the port while the screen's read runs
//                 (the screen starts no other exchange meanwhile) and hands the
//                 reading to the screen by HandOver.
//
// The M-Bus library and the administration library start no threads; their
// calls run on whichever of the threads above makes them.
namespace platform::thread_name {

inline constexpr const char* kConnect = "ConnectWorker";
inline constexpr const char* kUpdate = "UpdateWorker";
inline constexpr const char* kScan = "MeterScan";
inline constexpr const char* kDeviceRead = "DeviceRead";
inline constexpr const char* kNameLookup = "NameLookup";

}  // namespace platform::thread_name
