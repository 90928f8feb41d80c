#pragma once
// The child side of a PlayerHost (vorlix/players/player_host.h): loads one player
// library (again for every player, as the program did) and calls it as the program's
// requests say, for any number of its players, each known by the number its Load
// answer gave. The library's calls of the eight host functions are answered from the
// game state that comes with each request.

namespace vorlix::player_host {

// Serves the requests arriving on `fd` until the program closes it. Returns the exit
// status: 0 when the channel closed, 3 for a broken or malformed request, 4 after a
// C++ exception out of the library (reported to the program first).
int Serve(int fd);

} // namespace vorlix::player_host
