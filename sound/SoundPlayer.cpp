#include "sound/SoundPlayer.h"

#include <QByteArray>
#include <QFile>
#include <QResource>
#include <QString>

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "sound/Wave.h"

extern char** environ;

namespace {
// The native protocol's words we use (pulsecore/native-common.h, tagstruct.h).
enum : uint32_t { CommandError = 0, CommandReply = 2, CommandAuth = 8, CommandSetClientName = 9,
                  CommandCreateUploadStream = 15, CommandFinishUploadStream = 17, CommandPlaySample = 18 };
constexpr uint32_t ProtocolVersion = 32;  // proplists since 13; no shared memory asked for
constexpr uint32_t NoChannel = 0xFFFFFFFF, NoIndex = 0xFFFFFFFF, VolumeNorm = 0x10000;
constexpr uint8_t SampleS16LE = 3, ChannelMono = 0;
constexpr int SetupTimeoutMs = 2000;

// A packet's body: typed values, big-endian.
struct TTags
{
    QByteArray Bytes;
    TTags& U32(uint32_t V)
    {
        const uint32_t N = htonl(V);
        Bytes.append('L').append(reinterpret_cast<const char*>(&N), 4);
        return *this;
    }
    TTags& String(const char* S)
    {
        if (!S)
            Bytes.append('N');
        else
            Bytes.append('t').append(S, qsizetype(std::strlen(S) + 1));
        return *this;
    }
    TTags& Raw(const void* Data, uint32_t Length)  // without a tag of its own
    {
        const uint32_t N = htonl(Length);
        Bytes.append(reinterpret_cast<const char*>(&N), 4).append(static_cast<const char*>(Data), Length);
        return *this;
    }
    TTags& Arbitrary(const void* Data, uint32_t Length)
    {
        Bytes.append('x');
        return Raw(Data, Length);
    }
    // Each value a string, its length counting the final NUL.
    TTags& Properties(std::initializer_list<std::pair<const char*, const char*>> List)
    {
        Bytes.append('P');
        for (const auto& [Key, Value] : List) {
            String(Key);
            U32(uint32_t(std::strlen(Value) + 1));
            Arbitrary(Value, uint32_t(std::strlen(Value) + 1));
        }
        return String(nullptr);
    }
};

// A frame: its descriptor (length, channel, offset high and low, flags), then the body.
QByteArray Frame(uint32_t Channel, const QByteArray& Body)
{
    const uint32_t Descriptor[5] = {htonl(uint32_t(Body.size())), htonl(Channel), 0, 0, 0};
    return QByteArray(reinterpret_cast<const char*>(Descriptor), sizeof Descriptor) + Body;
}

QByteArray Command(uint32_t Command, uint32_t Tag, const TTags& Rest)
{
    return Frame(NoChannel, TTags().U32(Command).U32(Tag).Bytes + Rest.Bytes);
}

bool SendAll(int Fd, const QByteArray& Data)
{
    for (qsizetype Done = 0; Done < Data.size();) {
        const ssize_t N = send(Fd, Data.constData() + Done, size_t(Data.size() - Done), MSG_NOSIGNAL);
        if (N <= 0)
            return false;
        Done += N;
    }
    return true;
}

bool ReceiveAll(int Fd, char* Into, size_t Length)
{
    for (size_t Done = 0; Done < Length;) {
        const ssize_t N = recv(Fd, Into + Done, Length - Done, 0);
        if (N <= 0)
            return false;
        Done += size_t(N);
    }
    return true;
}

// Waits for the answer to Tag, skipping what else the server says; the answer's body past
// its command and tag, or nothing when it refused or went quiet.
std::optional<QByteArray> Answer(int Fd, uint32_t Tag)
{
    for (;;) {
        uint32_t Descriptor[5];
        if (!ReceiveAll(Fd, reinterpret_cast<char*>(Descriptor), sizeof Descriptor))
            return std::nullopt;
        const uint32_t Length = ntohl(Descriptor[0]);
        if (Length > (1u << 20))
            return std::nullopt;
        QByteArray Body(Length, Qt::Uninitialized);
        if (!ReceiveAll(Fd, Body.data(), Length))
            return std::nullopt;
        if (ntohl(Descriptor[1]) != NoChannel || Length < 10 || Body[0] != 'L' || Body[5] != 'L')
            continue;
        uint32_t Words[2];
        std::memcpy(&Words[0], Body.constData() + 1, 4);
        std::memcpy(&Words[1], Body.constData() + 6, 4);
        if (ntohl(Words[1]) != Tag)
            continue;
        if (ntohl(Words[0]) != CommandReply)
            return std::nullopt;
        return Body.mid(10);
    }
}

// The first value of an answer, a number.
uint32_t FirstNumber(const QByteArray& Body)
{
    uint32_t N = 0;
    if (Body.size() >= 5 && Body[0] == 'L')
        std::memcpy(&N, Body.constData() + 1, 4);
    return ntohl(N);
}

// Where the server listens: PULSE_SERVER when it names a local socket, else the user's
// runtime folder.
QByteArray SocketPath()
{
    QByteArray Server = qgetenv("PULSE_SERVER");
    if (Server.startsWith("unix:"))
        return Server.mid(5);
    if (Server.startsWith('/'))
        return Server;
    const QByteArray Runtime = qgetenv("XDG_RUNTIME_DIR");
    return (Runtime.isEmpty() ? "/run/user/" + QByteArray::number(getuid()) : Runtime) + "/pulse/native";
}

// The cookie a server without credentials checks; zeros when there is none (a local
// server knows us by our credentials).
QByteArray Cookie()
{
    QByteArray Path = qgetenv("PULSE_COOKIE");
    if (Path.isEmpty()) {
        const QByteArray Config = qgetenv("XDG_CONFIG_HOME");
        Path = (Config.isEmpty() ? qgetenv("HOME") + "/.config" : Config) + "/pulse/cookie";
    }
    QFile File(QString::fromLocal8Bit(Path));
    QByteArray Bytes = File.open(QIODevice::ReadOnly) ? File.read(256) : QByteArray();
    return Bytes.size() == 256 ? Bytes : QByteArray(256, '\0');
}

// The first packet goes with our credentials, which a local server takes as authentication.
bool SendWithCredentials(int Fd, const QByteArray& Data)
{
    iovec Part{const_cast<char*>(Data.constData()), size_t(Data.size())};
    alignas(cmsghdr) char Control[CMSG_SPACE(sizeof(ucred))] = {};
    msghdr Message{};
    Message.msg_iov = &Part;
    Message.msg_iovlen = 1;
    Message.msg_control = Control;
    Message.msg_controllen = sizeof Control;
    cmsghdr* Header = CMSG_FIRSTHDR(&Message);
    Header->cmsg_level = SOL_SOCKET;
    Header->cmsg_type = SCM_CREDENTIALS;
    Header->cmsg_len = CMSG_LEN(sizeof(ucred));
    const ucred Mine{getpid(), getuid(), getgid()};
    std::memcpy(CMSG_DATA(Header), &Mine, sizeof Mine);
    const ssize_t N = sendmsg(Fd, &Message, MSG_NOSIGNAL);
    return N == Data.size() || (N > 0 && SendAll(Fd, Data.mid(N)));
}

// Whether the desktop has turned event sounds off (GNOME's switch, which other desktops'
// settings daemons follow). Asked once, off the game's thread: the command takes tens of
// milliseconds to start. Where it is missing or says nothing, sounds are on.
bool DesktopSilencesEvents()
{
    int Pipe[2];
    if (pipe2(Pipe, O_CLOEXEC) != 0)
        return false;
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_adddup2(&Actions, Pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&Actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const char* Args[] = {"gsettings", "get", "org.gnome.desktop.sound", "event-sounds", nullptr};
    pid_t Child = -1;
    const bool Spawned = posix_spawnp(&Child, Args[0], &Actions, nullptr, const_cast<char**>(Args), environ) == 0;
    posix_spawn_file_actions_destroy(&Actions);
    close(Pipe[1]);
    char Said[16] = {};
    if (Spawned) {
        pollfd Wait{Pipe[0], POLLIN, 0};
        if (poll(&Wait, 1, 2000) == 1)
            (void)!read(Pipe[0], Said, sizeof Said - 1);
        kill(Child, SIGKILL);  // gone already, or stuck on a bus that does not answer
        waitpid(Child, nullptr, 0);
    }
    close(Pipe[0]);
    return QByteArray(Said).trimmed() == "false";
}
}  // namespace

// The sounds' resources live in the static library: registered by name, outside any namespace.
static void RegisterSoundResources() { Q_INIT_RESOURCE(sounds); }

TSoundPlayer::~TSoundPlayer()
{
    if (Loader.joinable())
        Loader.join();
    if (const int Fd = Socket.exchange(-1); Fd >= 0)
        close(Fd);
}

void TSoundPlayer::Tell(const char* Why)
{
    if (!Told.exchange(true))
        std::fprintf(stderr, "orvanta: no sound: %s\n", Why);
}

void TSoundPlayer::Start()
{
    if (Started)
        return;
    Started = true;
    RegisterSoundResources();
    LastTry = std::chrono::steady_clock::now();
    Loading = true;
    Loader = std::thread([this] {
        DesktopSilent = DesktopSilencesEvents();
        if (DesktopSilent)
            Tell("the desktop has turned event sounds off");
        else
            Connect();
        Loading = false;
    });
}

void TSoundPlayer::Connect()
{
    const QByteArray Path = SocketPath();
    sockaddr_un Address{};
    Address.sun_family = AF_UNIX;
    const int Fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (Fd < 0 || size_t(Path.size()) >= sizeof Address.sun_path) {
        Tell("no socket");
        if (Fd >= 0)
            close(Fd);
        return;
    }
    std::memcpy(Address.sun_path, Path.constData(), size_t(Path.size()));
    // A stalled server answers nothing: each step gives up after a while.
    const timeval Limit{SetupTimeoutMs / 1000, (SetupTimeoutMs % 1000) * 1000};
    setsockopt(Fd, SOL_SOCKET, SO_RCVTIMEO, &Limit, sizeof Limit);
    setsockopt(Fd, SOL_SOCKET, SO_SNDTIMEO, &Limit, sizeof Limit);
    const auto Fail = [&](const char* Why) {
        char Line[160];
        std::snprintf(Line, sizeof Line, "%s (%s)", Why, Path.constData());
        Tell(Line);
        close(Fd);
    };
    if (::connect(Fd, reinterpret_cast<const sockaddr*>(&Address), sizeof Address) != 0)
        return Fail("no sound server");
    uint32_t Tag = 0;
    const QByteArray Key = Cookie();
    if (!SendWithCredentials(Fd, Command(CommandAuth, ++Tag, TTags().U32(ProtocolVersion).Arbitrary(Key.constData(), 256))))
        return Fail("the sound server did not listen");
    const auto Version = Answer(Fd, Tag);
    if (!Version || (FirstNumber(*Version) & 0xFFFF) < 13)
        return Fail("the sound server refused us");
    if (!SendAll(Fd, Command(CommandSetClientName, ++Tag, TTags().Properties({{"application.name", "Orvanta"},
                                                                               {"application.id", "org.orvanta.Orvanta"},
                                                                               {"application.icon_name", "org.orvanta.Orvanta"}}))) ||
        !Answer(Fd, Tag))
        return Fail("the sound server did not answer");
    // Each sound into the server's cache: an upload stream, its bytes, its end.
    for (int K = 0; K < SoundCount; ++K) {
        QResource File(QStringLiteral(":/sounds/%1.wav").arg(QLatin1String(SoundNames[K])));
        const QByteArray Bytes = File.uncompressedData();
        const TWave Wave = TWave::Read({reinterpret_cast<const unsigned char*>(Bytes.constData()), size_t(Bytes.size())});
        if (!Wave.Valid() || Wave.Channels != 1)
            return Fail("a sound is no 16-bit PCM of one channel");
        const QByteArray Name = QByteArray("orvanta-") + SoundNames[K];
        TTags Upload;
        Upload.String(Name.constData());
        const uint32_t Rate = htonl(uint32_t(Wave.Rate));
        Upload.Bytes.append('a').append(char(SampleS16LE)).append(char(1)).append(reinterpret_cast<const char*>(&Rate), 4);
        Upload.Bytes.append('m').append(char(1)).append(char(ChannelMono));
        Upload.U32(uint32_t(Wave.Data.size())).Properties({{"media.name", Name.constData()}, {"media.role", "event"}});
        if (!SendAll(Fd, Command(CommandCreateUploadStream, ++Tag, Upload)))
            return Fail("the sound server did not answer");
        const auto Stream = Answer(Fd, Tag);
        if (!Stream)
            return Fail("the sound server took no sound");
        const uint32_t Channel = FirstNumber(*Stream);
        if (!SendAll(Fd, Frame(Channel, QByteArray::fromRawData(reinterpret_cast<const char*>(Wave.Data.data()), qsizetype(Wave.Data.size())))) ||
            !SendAll(Fd, Command(CommandFinishUploadStream, ++Tag, TTags().U32(Channel))) || !Answer(Fd, Tag))
            return Fail("the sound server took no sound");
    }
    // From now on only the game's thread writes, and never waits.
    fcntl(Fd, F_SETFL, fcntl(Fd, F_GETFL) | O_NONBLOCK);
    Socket.store(Fd, std::memory_order_release);
}

void TSoundPlayer::Lost()
{
    if (const int Fd = Socket.exchange(-1); Fd >= 0)
        close(Fd);
    Tell("the sound server went away");
}

void TSoundPlayer::Play(TSound Sound)
{
    const int Fd = Socket.load(std::memory_order_acquire);
    if (Fd < 0) {
        // Gone, or never reached: a try in the background now and then.
        const auto Now = std::chrono::steady_clock::now();
        // Loading first: once it is false, the loader's DesktopSilent is there to read.
        if (Started && !Loading && !DesktopSilent && Now - LastTry >= std::chrono::milliseconds(RetryMs)) {
            LastTry = Now;
            if (Loader.joinable())
                Loader.join();  // it has ended: Loading is false
            Loading = true;
            Loader = std::thread([this] {
                Connect();
                Loading = false;
            });
        }
        return;
    }
    // What the server said meanwhile (its replies) is read and dropped, so that it never
    // waits on us; then one packet, or nothing if it would have to wait.
    char Drain[4096];
    ssize_t N;
    while ((N = recv(Fd, Drain, sizeof Drain, MSG_DONTWAIT)) > 0) {
    }
    if (N == 0 || (N < 0 && errno != EAGAIN && errno != EWOULDBLOCK))
        return Lost();
    const QByteArray Name = QByteArray("orvanta-") + SoundNames[int(Sound)];
    const QByteArray Packet = Command(CommandPlaySample, ++NextTag, TTags().U32(NoIndex).String(nullptr).U32(VolumeNorm).String(Name.constData())
                                                                       .Properties({{"media.role", "event"}, {"event.id", Name.constData()}}));
    const ssize_t Sent = send(Fd, Packet.constData(), size_t(Packet.size()), MSG_DONTWAIT | MSG_NOSIGNAL);
    if (Sent == Packet.size())
        return;
    if (Sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return;  // a stalled server: this sound is dropped
    Lost();  // gone, or a packet cut short: the stream would no longer make sense
}
