#pragma once

namespace cvx {

// What the window does when the directory is lost (error 600: the connection broke or a request
// timed out) in each handler. Nothing closes the program: a lost directory may come back on the
// next request, and the administrator keeps the window and what it shows.
//
//   handler                         on 600                                  why
//   start-up steps                  stop there, say the step and reason     a half-filled window
//                                   (a run that closes by itself ends 1)    must say why
//   TreeViewRC_Expand               look up twice, then no children         often back at once
//   TreeViewWS_Expand               look up once, close the node again      opening retries
//   getNDSinfo, CheckLogin          say which object could not be read      the pick still stands
//                                   (with the number), go on
//   target search completion        "Search failed: ..."                    the request failed
//   one hit's look-up, the launch   silent                                  the search or the
//     path's look-up                                                        browser said it already
//   makeDB                          the build fails, the old file stays     never a partial file
//   unload                          settings are still written              they are local
inline constexpr int kRemoteControlExpandLookUps = 2;
inline constexpr int kWorkstationExpandLookUps = 1;

}  // namespace cvx
