#include "tools/fake_lfs/datagrams.h"

namespace fake_lfs {

bool Datagrams::send(const sim::Bytes& record, uint16_t to_port, std::error_code& error) {
    const auto loopback = asio::ip::address_v4::loopback();
    if (!socket_.is_open()) {
        socket_.open(asio::ip::udp::v4(), error);
        if (!error) {
            socket_.bind({loopback, port_}, error);
        }
        if (error) {
            std::error_code ignored;
            socket_.close(ignored);
            return false;
        }
    }
    socket_.send_to(asio::buffer(record), {loopback, to_port}, 0, error);
    return !error;
}

}  // namespace fake_lfs
