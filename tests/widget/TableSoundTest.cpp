// The table's sounds follow what it shows, in order; M silences them, and the choice is
// kept for the next start unless --mute starts silent.
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
        auto* Sound = new TTableSound(Window.get(), Window->Table, std::make_unique<TRecordedSounds>(Played, Started), MuteThisRun);
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

TEST_F(TableSoundTest, EveryStepSoundsInOrderUntilMSilencesTheTable)
{
    TTableSound* Sound = Install();
    EXPECT_TRUE(Started);
    PlayCalling(NobodyFolds);  // three rounds, four chips each
    Window->FlipClick();       // the user's three sevens win
    std::vector<TSound> Hand(12, TSound::Card);
    Hand.insert(Hand.end(), 12, TSound::Chip);
    Hand.insert(Hand.end(), {TSound::Flip, TSound::Win});
    EXPECT_EQ(Played, Hand);

    Played.clear();
    PressM();
    EXPECT_TRUE(Sound->Muted());
    EXPECT_TRUE(Kept().contains("muted=true")) << Kept().constData();
    PlayFolding(KateWins);
    Window->FlipClick();
    EXPECT_TRUE(Played.empty());

    PressM();
    EXPECT_FALSE(Sound->Muted());
    EXPECT_TRUE(Kept().contains("muted=false"));
    PlayFolding(KateWins);
    ASSERT_GE(Played.size(), 13u);
    EXPECT_EQ(Played[11], TSound::Card);
    EXPECT_EQ(Played[12], TSound::Fold);  // the user's, at once
}

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
    Deal(NobodyFolds);
    EXPECT_TRUE(Played.empty());
    PressM();
    EXPECT_TRUE(Started);

    ShowNewWindow();  // --mute, the choice being sounds on
    Sound = Install(true);
    EXPECT_TRUE(Sound->Muted());
    EXPECT_FALSE(Started);
    EXPECT_TRUE(Kept().contains("muted=false"));
}
