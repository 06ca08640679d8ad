#include "sound/SoundPlayer.h"

#include <QByteArray>
#include <QResource>
#include <QString>

#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

// Only the library's types and prototypes: it is loaded at run time.
#include <pulse/pulseaudio.h>

#include "sound/Wave.h"

extern char** environ;

namespace {
#define ORVANTA_PULSE_FUNCTIONS(F)                                                                            \
    F(pa_threaded_mainloop_new) F(pa_threaded_mainloop_start) F(pa_threaded_mainloop_stop)                   \
    F(pa_threaded_mainloop_free) F(pa_threaded_mainloop_lock) F(pa_threaded_mainloop_unlock)                 \
    F(pa_threaded_mainloop_get_api) F(pa_context_new_with_proplist) F(pa_context_connect)                    \
    F(pa_context_disconnect) F(pa_context_unref) F(pa_context_set_state_callback) F(pa_context_get_state)   \
    F(pa_context_errno) F(pa_strerror) F(pa_context_play_sample_with_proplist) F(pa_operation_unref)        \
    F(pa_stream_new) F(pa_stream_set_state_callback) F(pa_stream_connect_upload) F(pa_stream_write)         \
    F(pa_stream_finish_upload) F(pa_stream_get_state) F(pa_stream_unref) F(pa_proplist_new)                 \
    F(pa_proplist_sets) F(pa_proplist_free)

// The sample's name at the server: ours alone, since the cache is shared by every client.
QByteArray SampleName(int Sound) { return QByteArray("orvanta-") + SoundNames[Sound]; }

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
    char Answer[16] = {};
    if (Spawned) {
        pollfd Wait{Pipe[0], POLLIN, 0};
        if (poll(&Wait, 1, 2000) == 1)
            (void)!read(Pipe[0], Answer, sizeof Answer - 1);
        kill(Child, SIGKILL);  // gone already, or stuck on a bus that does not answer
        waitpid(Child, nullptr, 0);
    }
    close(Pipe[0]);
    return QByteArray(Answer).trimmed() == "false";
}
}  // namespace

struct TSoundPlayer::TPulse
{
#define ORVANTA_POINTER(Name) decltype(&::Name) Name = nullptr;
    ORVANTA_PULSE_FUNCTIONS(ORVANTA_POINTER)
#undef ORVANTA_POINTER

    TSoundPlayer* Player = nullptr;
    void* Library = nullptr;
    pa_threaded_mainloop* Loop = nullptr;
    pa_mainloop_api* Api = nullptr;
    pa_context* Context = nullptr;
    pa_proplist* Event = nullptr;  // what each sound is, for the server's policy (an event)
    QByteArray Sounds[SoundCount];
    TWave Waves[SoundCount];
    int Uploaded = 0;
    bool Told = false;

    // Once per run: why there is no sound.
    void Tell(const QString& Why)
    {
        if (!Told)
            std::fprintf(stderr, "orvanta: no sound: %s\n", qPrintable(Why));
        Told = true;
    }

    bool Load()
    {
        Library = dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!Library) {
            Tell(QString::fromLocal8Bit(dlerror()));
            return false;
        }
#define ORVANTA_RESOLVE(Name)                                                  \
    Name = reinterpret_cast<decltype(Name)>(dlsym(Library, #Name));           \
    if (!Name) {                                                               \
        Tell(QStringLiteral("libpulse.so.0 has no %1").arg(QLatin1String(#Name))); \
        return false;                                                          \
    }
        ORVANTA_PULSE_FUNCTIONS(ORVANTA_RESOLVE)
#undef ORVANTA_RESOLVE
        for (int K = 0; K < SoundCount; ++K) {
            QResource File(QStringLiteral(":/sounds/%1.wav").arg(QLatin1String(SoundNames[K])));
            Sounds[K] = File.uncompressedData();
            Waves[K] = TWave::Read({reinterpret_cast<const unsigned char*>(Sounds[K].constData()), size_t(Sounds[K].size())});
            if (!Waves[K].Valid()) {
                Tell(QStringLiteral("%1 is no 16-bit PCM sound").arg(File.fileName()));
                return false;
            }
        }
        Loop = pa_threaded_mainloop_new();
        if (!Loop)
            return false;
        Api = pa_threaded_mainloop_get_api(Loop);
        Event = pa_proplist_new();
        pa_proplist_sets(Event, PA_PROP_MEDIA_ROLE, "event");
        return true;
    }

    // Called with the loop locked, or before it runs.
    void Connect()
    {
        pa_proplist* Client = pa_proplist_new();
        pa_proplist_sets(Client, PA_PROP_APPLICATION_ID, "org.orvanta.Orvanta");
        pa_proplist_sets(Client, PA_PROP_APPLICATION_ICON_NAME, "org.orvanta.Orvanta");
        Context = pa_context_new_with_proplist(Api, "Orvanta", Client);
        pa_proplist_free(Client);
        if (!Context)
            return;
        pa_context_set_state_callback(Context, &TPulse::ContextChanged, this);
        // Never start a server of our own: the desktop runs one, or there is none.
        // A refusal at once has been told to ContextChanged already.
        if (pa_context_connect(Context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 && Context)
            Lost();
    }

    // The server is gone, or never was: silence until it is reached again.
    void Lost()
    {
        if (!Context)
            return;
        Player->IsReady.store(false, std::memory_order_release);
        Tell(QStringLiteral("no sound server (%1)").arg(QLatin1String(pa_strerror(pa_context_errno(Context)))));
        pa_context_set_state_callback(Context, nullptr, nullptr);
        pa_context_disconnect(Context);
        pa_context_unref(Context);
        Context = nullptr;
        timeval At;
        gettimeofday(&At, nullptr);
        At.tv_sec += RetryMs / 1000;
        At.tv_usec += (RetryMs % 1000) * 1000;
        if (At.tv_usec >= 1000000)
            At.tv_sec += 1, At.tv_usec -= 1000000;
        Api->time_new(Api, &At, &TPulse::Retry, this);
    }

    static void Retry(pa_mainloop_api* Api, pa_time_event* Timer, const timeval*, void* Self)
    {
        Api->time_free(Timer);
        static_cast<TPulse*>(Self)->Connect();
    }

    static void ContextChanged(pa_context* Context, void* Self)
    {
        auto* P = static_cast<TPulse*>(Self);
        switch (P->pa_context_get_state(Context)) {
        case PA_CONTEXT_READY:
            P->Upload();
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            P->Lost();
            break;
        default:
            break;
        }
    }

    // Into the server's cache, each sound under its name: a short upload stream apiece,
    // closed once the server has the sound.
    void Upload()
    {
        Uploaded = 0;
        for (int K = 0; K < SoundCount; ++K) {
            const pa_sample_spec Spec{PA_SAMPLE_S16LE, uint32_t(Waves[K].Rate), uint8_t(Waves[K].Channels)};
            pa_stream* Stream = Streams[K] = pa_stream_new(Context, SampleName(K).constData(), &Spec, nullptr);
            if (!Stream)
                return;
            pa_stream_set_state_callback(Stream, &TPulse::UploadChanged, this);
            if (pa_stream_connect_upload(Stream, Waves[K].Data.size()) < 0) {
                Streams[K] = nullptr;
                pa_stream_unref(Stream);
            }
        }
    }

    static void UploadChanged(pa_stream* Stream, void* Self)
    {
        auto* P = static_cast<TPulse*>(Self);
        const int K = IndexOf(Stream, P);
        if (K < 0)
            return;
        const pa_stream_state_t State = P->pa_stream_get_state(Stream);
        switch (State) {
        case PA_STREAM_READY:
            P->pa_stream_write(Stream, P->Waves[K].Data.data(), P->Waves[K].Data.size(), nullptr, 0, PA_SEEK_RELATIVE);
            P->pa_stream_finish_upload(Stream);
            break;
        case PA_STREAM_TERMINATED:  // the server has it
        case PA_STREAM_FAILED:
            P->Streams[K] = nullptr;
            P->pa_stream_set_state_callback(Stream, nullptr, nullptr);
            P->pa_stream_unref(Stream);
            // a failed upload leaves the player silent, as no server would
            if (State == PA_STREAM_TERMINATED && ++P->Uploaded == SoundCount)
                P->Player->IsReady.store(true, std::memory_order_release);
            break;
        default:
            break;
        }
    }

    // Which sound an upload stream carries.
    static int IndexOf(pa_stream* Stream, TPulse* P)
    {
        for (int K = 0; K < SoundCount; ++K)
            if (P->Streams[K] == Stream)
                return K;
        return -1;
    }
    pa_stream* Streams[SoundCount] = {};
};

// The sounds' resources live in the static library: registered by name, outside any namespace.
static void RegisterSounds() { Q_INIT_RESOURCE(sounds); }

TSoundPlayer::TSoundPlayer() = default;

TSoundPlayer::~TSoundPlayer()
{
    if (Loader.joinable())
        Loader.join();
    if (Loaded.load()) {
        Pulse->pa_threaded_mainloop_stop(Pulse->Loop);
        if (Pulse->Context) {
            Pulse->pa_context_disconnect(Pulse->Context);
            Pulse->pa_context_unref(Pulse->Context);
        }
        Pulse->pa_proplist_free(Pulse->Event);
        Pulse->pa_threaded_mainloop_free(Pulse->Loop);
    }
    // The library stays: its threads' exit handlers may still run from it.
}

void TSoundPlayer::Start()
{
    if (Pulse)
        return;
    RegisterSounds();
    Pulse = std::make_unique<TPulse>();
    Pulse->Player = this;
    Loader = std::thread([this] { Setup(); });
}

void TSoundPlayer::Setup()
{
    if (DesktopSilencesEvents()) {
        Pulse->Tell(QStringLiteral("the desktop has turned event sounds off"));
        return;
    }
    if (!Pulse->Load())
        return;
    Pulse->Connect();
    if (Pulse->pa_threaded_mainloop_start(Pulse->Loop) < 0)
        return;
    Loaded.store(true, std::memory_order_release);
}

void TSoundPlayer::Play(TSound Sound)
{
    if (!Ready())
        return;
    TPulse& P = *Pulse;
    // The loop's thread holds the lock only while it handles what the server sent, never
    // while it waits for it: a stalled server leaves it free.
    P.pa_threaded_mainloop_lock(P.Loop);
    if (P.Context && P.pa_context_get_state(P.Context) == PA_CONTEXT_READY) {
        if (pa_operation* Sent = P.pa_context_play_sample_with_proplist(P.Context, SampleName(int(Sound)).constData(), nullptr,
                                                                         PA_VOLUME_NORM, P.Event, nullptr, nullptr))
            P.pa_operation_unref(Sent);
    }
    P.pa_threaded_mainloop_unlock(P.Loop);
}
