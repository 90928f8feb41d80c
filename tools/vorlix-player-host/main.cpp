// vorlix-player-host: runs one player library for vorlix or vorlix-cli, which start it
// with the channel on descriptor 3. Not meant to be run by hand.

#include "host_server.h"

#include "vorlix/players/host_exports.h"

#include <cstdio>
#include <fcntl.h>

int main() {
    constexpr int kChannel = 3;
    if (::fcntl(kChannel, F_GETFD) < 0) {
        std::fprintf(stderr, "vorlix-player-host: started by vorlix to run a player library; "
                             "not meant to be run by hand\n");
        return 2;
    }
    vorlix::KeepHostExports();
    return vorlix::player_host::Serve(kChannel);
}
