// M silences the table's sounds, and the choice is kept for the next start unless --mute
// starts silent; the sounds' order is checked on a recording (tests/e2e/sound.sh).
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "sound/TableSound.h"
#include "support/TableFixture.h"

namespace {
struct TRecordedSounds : TSoundOut
{
    std::vector<TSound>& Played;
    bool& Started;
    TRecordedSounds(std::vector<TSound>& Played, bool& Started) : Played(Played), Started(Started) {}
    void Start() override { Started = true; }
    void Play(TSound Sound) override { Played.push_back(Sound); }
};
}  // namespace

class TableSoundTest : public TTableTest
{
protected:
    void SetUp() override
    {
        TTableTest::SetUp();
        ASSERT_TRUE(Config.isValid());
        qputenv("XDG_CONFIG_HOME", Config.path().toUtf8());
        ShowNewWindow();
    }
    void TearDown() override
    {
        TTableTest::TearDown();
        qunsetenv("XDG_CONFIG_HOME");
    }
    // The sounds as the program installs them, once the first window has painted.
    TTableSound* Install(bool MuteThisRun = false)
    {
        Started = false;
        auto* Sound = new TTableSound(Window.get(), Window->Game(), std::make_unique<TRecordedSounds>(Played, Started), MuteThisRun);
        Sound->Start();
        return Sound;
    }
    void PressM() { QTest::keyClick(Window->windowHandle(), Qt::Key_M); }
    QByteArray Kept() const
    {
        QFile File(Config.filePath(QStringLiteral("orvanta/orvanta.conf")));
        return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
    }

    QTemporaryDir Config;
    std::vector<TSound> Played;
    bool Started = false;
};

TEST_F(TableSoundTest, TheKeptChoiceHoldsAtTheNextStartAndMuteOverridesIt)
{
    PressM();  // before any install: the key is no one's
    Install();
    PressM();  // silenced, and kept
    Played.clear();

    ShowNewWindow();  // the next start
    TTableSound* Sound = Install();
    EXPECT_TRUE(Sound->Muted());
    EXPECT_FALSE(Started) << "nothing loaded for a silent table";
    PlayFolding(NobodyFolds);
    EXPECT_TRUE(Played.empty());
    PressM();
    EXPECT_TRUE(Started);

    ShowNewWindow();  // --mute, the choice being sounds on
    Sound = Install(true);
    EXPECT_TRUE(Sound->Muted());
    EXPECT_FALSE(Started);
    EXPECT_TRUE(Kept().contains("muted=false"));
}
