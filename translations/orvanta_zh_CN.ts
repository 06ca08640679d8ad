<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ButtonCaptions</name>
    <message>
        <source>Start: ante 5 chips and deal a new hand</source>
        <translation>每人下底注 5 筹码，发新的一局</translation>
    </message>
    <message>
        <source>Call: put in this round&apos;s stake</source>
        <translation>下本轮的注</translation>
    </message>
    <message>
        <source>Fold: give up this hand</source>
        <translation>放弃这一局</translation>
    </message>
    <message>
        <source>Flip: turn over the hands still in</source>
        <translation>翻开还在局中的牌</translation>
    </message>
    <message>
        <source>Flip all: turn over every hand</source>
        <translation>翻开所有人的牌</translation>
    </message>
    <message>
        <source>Rules: show the chart of hands; the S key tells where the hand stands, the M key turns the sounds off or on</source>
        <translation>显示牌型表；按 S 键可听牌局现状，按 M 键关闭或打开音效</translation>
    </message>
</context>
<context>
    <name>Narrator</name>
    <message>
        <source>New hand. Your hand: %1</source>
        <translation>新的一局。你的牌：%1</translation>
    </message>
    <message>
        <source>%1 calls %2.</source>
        <translation>%1 跟注 %2。</translation>
    </message>
    <message>
        <source>%1 folds.</source>
        <translation>%1 放弃。</translation>
    </message>
    <message>
        <source>Your turn: a call costs %1.</source>
        <translation>轮到你了：跟注需要 %1。</translation>
    </message>
    <message>
        <source>Betting closed: Flip or Flip all.</source>
        <translation>下注结束：翻牌或全翻。</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1：%2。</translation>
    </message>
    <message>
        <source>You win %1.</source>
        <translation>你赢了 %1。</translation>
    </message>
    <message>
        <source>%1 wins %2.</source>
        <translation>%1 赢了 %2。</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>you won %1.</source>
        <translation>你赢了 %1。</translation>
    </message>
    <message>
        <source>%1 won %2.</source>
        <translation>%1 赢了 %2。</translation>
    </message>
    <message>
        <source>two winners, the pot is lost.</source>
        <translation>两家同大，底池作废。</translation>
    </message>
    <message>
        <source>Game over: you had the most chips; everyone starts again.</source>
        <translation>游戏结束：你的筹码最多；大家重新开始。</translation>
    </message>
    <message>
        <source>Game over: %1 had the most chips; everyone starts again.</source>
        <translation>游戏结束：%1 的筹码最多；大家重新开始。</translation>
    </message>
    <message>
        <source>, </source>
        <translation>，</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Chips: %1.</source>
        <translation>筹码：%1。</translation>
    </message>
    <message>
        <source>No hand yet: Start deals one.</source>
        <translation>还没有发牌：按开始发牌。</translation>
    </message>
    <message>
        <source>The hand is over.</source>
        <translation>这一局已结束。</translation>
    </message>
    <message>
        <source>The hand is over: %1</source>
        <translation>这一局已结束：%1</translation>
    </message>
    <message>
        <source>Pot: %1.</source>
        <translation>底池：%1。</translation>
    </message>
    <message>
        <source>Betting round %1 of %2.</source>
        <translation>第 %1 轮下注，共 %2 轮。</translation>
    </message>
    <message>
        <source>Folded: %1.</source>
        <translation>已放弃：%1。</translation>
    </message>
</context>
<context>
    <name>TNameDialog</name>
    <message>
        <source>Your name, as the table will show it</source>
        <translation>你的名字，牌桌上会这样显示</translation>
    </message>
    <message>
        <source>确定: start playing</source>
        <translation>确定：开始游戏</translation>
    </message>
    <message>
        <source>退出: quit without playing</source>
        <translation>退出：不玩了，关闭游戏</translation>
    </message>
</context>
<context>
    <name>TTableSound</name>
    <message>
        <source>Sounds off.</source>
        <translation>音效已关闭。</translation>
    </message>
    <message>
        <source>Sounds on.</source>
        <translation>音效已打开。</translation>
    </message>
</context>
<context>
    <name>TableAccessibles</name>
    <message>
        <source>Card table</source>
        <translation>牌桌</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1，%2</translation>
    </message>
    <message>
        <source>Your seat.</source>
        <translation>你的座位。</translation>
    </message>
    <message>
        <source>Stake %1.</source>
        <translation>已下注 %1。</translation>
    </message>
    <message>
        <source>Folded.</source>
        <translation>已放弃。</translation>
    </message>
    <message>
        <source>Hand: %1</source>
        <translation>牌：%1</translation>
    </message>
    <message>
        <source>Your stake: none</source>
        <translation>你的下注：无</translation>
    </message>
    <message>
        <source>%1&apos;s stake: none</source>
        <translation>%1 的下注：无</translation>
    </message>
    <message>
        <source>Your stake: %1</source>
        <translation>你的下注：%1</translation>
    </message>
    <message>
        <source>%1&apos;s stake: %2</source>
        <translation>%1 的下注：%2</translation>
    </message>
    <message>
        <source>%1 (shown; Escape closes it)</source>
        <translation>%1（已显示，按 Esc 关闭）</translation>
    </message>
    <message>
        <source>Rules chart</source>
        <translation>牌型表</translation>
    </message>
    <message>
        <source>Hands, best first: three of a kind; straight flush; flush; straight; pair; high card. Ace counts high, and ace-2-3 is the lowest straight. Press it, or Escape, to close it.</source>
        <translation>牌型从大到小：豹子、顺金、金花、顺子、对子、单张。A 最大，A23 是最小的顺子。按它或按 Esc 关闭。</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>玩家</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>输赢</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>筹码</translation>
    </message>
    <message>
        <source>Result sheet: %1 wins</source>
        <translation>结果表：%1 赢</translation>
    </message>
    <message>
        <source>Result sheet</source>
        <translation>结果表</translation>
    </message>
    <message>
        <source>%1: add %2, score %3.</source>
        <translation>%1：输赢 %2，筹码 %3。</translation>
    </message>
    <message>
        <source>%1 Press it to deal the next hand.</source>
        <translation>%1 按它发下一局。</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>等待中</translation>
    </message>
</context>
<context>
    <name>TableTexts</name>
    <message>
        <source>two</source>
        <translation>2</translation>
    </message>
    <message>
        <source>three</source>
        <translation>3</translation>
    </message>
    <message>
        <source>four</source>
        <translation>4</translation>
    </message>
    <message>
        <source>five</source>
        <translation>5</translation>
    </message>
    <message>
        <source>six</source>
        <translation>6</translation>
    </message>
    <message>
        <source>seven</source>
        <translation>7</translation>
    </message>
    <message>
        <source>eight</source>
        <translation>8</translation>
    </message>
    <message>
        <source>nine</source>
        <translation>9</translation>
    </message>
    <message>
        <source>ten</source>
        <translation>10</translation>
    </message>
    <message>
        <source>jack</source>
        <translation>J</translation>
    </message>
    <message>
        <source>queen</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>king</source>
        <translation>K</translation>
    </message>
    <message>
        <source>ace</source>
        <translation>A</translation>
    </message>
    <message>
        <source>twos</source>
        <translation>2</translation>
    </message>
    <message>
        <source>threes</source>
        <translation>3</translation>
    </message>
    <message>
        <source>fours</source>
        <translation>4</translation>
    </message>
    <message>
        <source>fives</source>
        <translation>5</translation>
    </message>
    <message>
        <source>sixes</source>
        <translation>6</translation>
    </message>
    <message>
        <source>sevens</source>
        <translation>7</translation>
    </message>
    <message>
        <source>eights</source>
        <translation>8</translation>
    </message>
    <message>
        <source>nines</source>
        <translation>9</translation>
    </message>
    <message>
        <source>tens</source>
        <translation>10</translation>
    </message>
    <message>
        <source>jacks</source>
        <translation>J</translation>
    </message>
    <message>
        <source>queens</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>kings</source>
        <translation>K</translation>
    </message>
    <message>
        <source>aces</source>
        <translation>A</translation>
    </message>
    <message>
        <source>spades</source>
        <translation>黑桃</translation>
    </message>
    <message>
        <source>diamonds</source>
        <translation>方块</translation>
    </message>
    <message>
        <source>clubs</source>
        <translation>梅花</translation>
    </message>
    <message>
        <source>hearts</source>
        <translation>红桃</translation>
    </message>
    <message>
        <source>jokers</source>
        <translation>王</translation>
    </message>
    <message>
        <source>card, face down</source>
        <translation>牌，背面朝上</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%2%1</translation>
    </message>
    <message>
        <source>three %1</source>
        <translation>豹子%1</translation>
    </message>
    <message>
        <source>straight flush, %1 high</source>
        <translation>顺金，%1最大</translation>
    </message>
    <message>
        <source>flush, %1 high</source>
        <translation>金花，%1最大</translation>
    </message>
    <message>
        <source>straight, %1 high</source>
        <translation>顺子，%1最大</translation>
    </message>
    <message>
        <source>pair of %1</source>
        <translation>对子%1</translation>
    </message>
    <message>
        <source>%1 high</source>
        <translation>单张，%1最大</translation>
    </message>
    <message>
        <source>%1 chip</source>
        <translation>%1 筹码</translation>
    </message>
    <message>
        <source>%1 chips</source>
        <translation>%1 筹码</translation>
    </message>
    <message>
        <source>You sit at the bottom, Jack on the right, Jim at the top, Kate on the left.</source>
        <translation>你坐在下方，Jack 在右边，Jim 在上方，Kate 在左边。</translation>
    </message>
    <message>
        <source>%1: %2, %3, %4.</source>
        <translation>%1：%2、%3、%4。</translation>
    </message>
</context>
<context>
    <name>TableTooltips</name>
    <message>
        <source>Three of a kind</source>
        <translation>豹子</translation>
    </message>
    <message>
        <source>Straight flush</source>
        <translation>顺金</translation>
    </message>
    <message>
        <source>Flush</source>
        <translation>金花</translation>
    </message>
    <message>
        <source>Straight</source>
        <translation>顺子</translation>
    </message>
    <message>
        <source>Pair</source>
        <translation>对子</translation>
    </message>
    <message>
        <source>High card</source>
        <translation>单张</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>Add: the chips each player won or lost in this hand</source>
        <translation>Add（输赢）：这一局每位玩家赢或输的筹码</translation>
    </message>
    <message>
        <source>Score: the chips each player holds now</source>
        <translation>Score（筹码）：每位玩家现有的筹码</translation>
    </message>
    <message>
        <source>%1, %2.</source>
        <translation>%1，%2。</translation>
    </message>
</context>
</TS>
