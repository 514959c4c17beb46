<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name>AboutBox</name>
    <message>
        <source>About RUMO?</source>
        <translation>RUMO?のﾊﾞｰｼﾞｮﾝ情報</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>RUMO?  Version %1</source>
        <translation>RUMO?  Vesion %1</translation>
    </message>
</context>
<context>
    <name>AskWhere</name>
    <message>
        <source>Destination</source>
        <translation>行き先</translation>
    </message>
</context>
<context>
    <name>Calendar</name>
    <message>
        <source>Busy</source>
        <translation>予定あり</translation>
    </message>
    <message>
        <source>%1 (calendar)</source>
        <translation>%1（予定表）</translation>
    </message>
    <message>
        <source>Cannot read the password from the keyring (%1)</source>
        <translation>キーリングからパスワードを読めません（%1）</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 を読めません: %2</translation>
    </message>
    <message>
        <source>Using what was read at %1.</source>
        <translation>%1 に読んだ内容を使います。</translation>
    </message>
    <message>
        <source>Cannot read the calendar</source>
        <translation>予定表を読めません</translation>
    </message>
</context>
<context>
    <name>ChatStatus</name>
    <message>
        <source>Cannot set the status on %1 (%2). Will try again later.</source>
        <translation>%1 のステータスを設定できません（%2）。あとで再試行します。</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>応答がありません</translation>
    </message>
    <message>
        <source>No token for %1 in the keyring: %2</source>
        <translation>%1 のトークンがキーリングにありません: %2</translation>
    </message>
    <message>
        <source>Away</source>
        <translation>離席中</translation>
    </message>
    <message>
        <source>%1, back at %2</source>
        <translation>%1、%2 戻り予定</translation>
    </message>
</context>
<context>
    <name>DestinationBar</name>
    <message>
        <source>Destinations</source>
        <translation>行先</translation>
    </message>
    <message>
        <source>Start away notice</source>
        <translation>離席表示を開始</translation>
    </message>
    <message>
        <source>↩</source>
        <comment>the return-time button, one character</comment>
        <translation>戻</translation>
    </message>
</context>
<context>
    <name>DialogLayout</name>
    <message>
        <source>140</source>
        <comment>how wide the dialogs are, in percent of the Japanese layout; enough for every caption of this language</comment>
        <translation>100</translation>
    </message>
</context>
<context>
    <name>FontDialog</name>
    <message>
        <source>&amp;Bold</source>
        <translation>太字(&amp;B)</translation>
    </message>
    <message>
        <source>I&amp;talic</source>
        <translation>斜体(&amp;T)</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>フォント</translation>
    </message>
    <message>
        <source>&amp;Colour:</source>
        <translation>色(&amp;C):</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Rumo.en.html</source>
        <comment>the file name of the help page in this language</comment>
        <translation>Rumo.html</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>No tool to open the display settings was found. Install one of these:</source>
        <translation>画面の設定を開くツールが見つかりません。次のどれかをインストールしてください:</translation>
    </message>
    <message>
        <source>Cannot save the settings: %1</source>
        <translation>設定を保存できません: %1</translation>
    </message>
    <message>
        <source>The settings file is in use by another program</source>
        <translation>設定ファイルが他のプログラムに使用されています</translation>
    </message>
</context>
<context>
    <name>Notice</name>
    <message>
        <source>Away notice showing</source>
        <translation>離席中の表示</translation>
    </message>
    <message numerus="yes">
        <source>Away for about %1 minute(s)</source>
        <translation>
            <numerusform>離席してから約%1分</numerusform>
        </translation>
    </message>
    <message>
        <source>Press the Esc key</source>
        <translation>ＥＳＣキーを押して下さい</translation>
    </message>
</context>
<context>
    <name>PictureChooser</name>
    <message>
        <source>BMP files;JPG files;GIF files</source>
        <translation>BMPﾌｧｲﾙ;JPGﾌｧｲﾙ;GIFﾌｧｲﾙ</translation>
    </message>
</context>
<context>
    <name>PropertiesDialog</name>
    <message>
        <source>Please enter an integer.</source>
        <translation>整数を入力してください。</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>ｶｽﾀﾏｲｽﾞ</translation>
    </message>
    <message>
        <source>Places</source>
        <translation>行先</translation>
    </message>
    <message>
        <source>Memos</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Return</source>
        <translation>戻</translation>
    </message>
    <message>
        <source>Enter the time like 13:00.</source>
        <translation>時刻は 13:00 のように入力してください。</translation>
    </message>
    <message>
        <source>The settings could not be saved.
%1</source>
        <translation>設定を保存できませんでした。
%1</translation>
    </message>
    <message>
        <source>%1 is not a picture this program can show.
Choose a BMP, JPEG or GIF picture.</source>
        <translation>%1 は表示できない形式のファイルです。
BMP、JPEG、GIF の画像を選んでください。</translation>
    </message>
    <message>
        <source>No program to open the help file %1 was found. Install xdg-open (xdg-utils).</source>
        <translation>ヘルプファイル %1 を開くプログラムが見つかりません。xdg-open (xdg-utils) をインストールしてください。</translation>
    </message>
    <message>
        <source>The help file %1 was not found.</source>
        <translation>ヘルプファイル %1 が見つかりません。</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>スクリーン</translation>
    </message>
    <message>
        <source>From left</source>
        <translation>左から</translation>
    </message>
    <message>
        <source>From right</source>
        <translation>右から</translation>
    </message>
    <message>
        <source>Cross</source>
        <translation>クロス</translation>
    </message>
    <message>
        <source>Scatter</source>
        <translation>ちらばり</translation>
    </message>
    <message>
        <source>No text</source>
        <translation>文字なし</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>文字位置</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>中央</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>固定</translation>
    </message>
    <message>
        <source>Away time</source>
        <translation>離席時間</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>ﾃﾞｽｸﾄｯﾌﾟ</translation>
    </message>
    <message>
        <source>Esc ends</source>
        <translation>ESC終了</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>前面画像</translation>
    </message>
    <message>
        <source>Backdrop</source>
        <translation>背景画像</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>ﾊﾟｽﾜｰﾄﾞ保護</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>フォント</translation>
    </message>
    <message>
        <source>Colourful</source>
        <translation>文字ｶﾗﾌﾙ</translation>
    </message>
    <message>
        <source>White shadow</source>
        <translation>文字白影</translation>
    </message>
    <message>
        <source>Black shadow</source>
        <translation>文字黒影</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>背景色</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>About</source>
        <translation>ﾊﾞｰｼﾞｮﾝ情報</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>普通</translation>
    </message>
    <message>
        <source>By place</source>
        <translation>行先毎</translation>
    </message>
    <message>
        <source>Every 3 min</source>
        <translation>３分おき</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>ﾕｰｻﾞ名</translation>
    </message>
    <message>
        <source>x:</source>
        <translation>ｘ：</translation>
    </message>
    <message>
        <source>y:</source>
        <translation>ｙ：</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>現在の日付と時刻</translation>
    </message>
    <message>
        <source>After lunch</source>
        <translation>昼休み明け</translation>
    </message>
    <message>
        <source>End of day</source>
        <translation>定時</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
    <message>
        <source>High</source>
        <translation>上</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>下</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>予定表</translation>
    </message>
    <message>
        <source>Team</source>
        <translation>チーム</translation>
    </message>
    <message>
        <source>At most %1 calendars. Remove one first.</source>
        <translation>予定表は %1 個までです。どれかを削除してください。</translation>
    </message>
    <message>
        <source>No keyring is running to keep the password. The password is not saved and the calendar is not added.</source>
        <translation>パスワードを保存するキーリングが動いていません。パスワードは保存されず、予定表も追加されません。</translation>
    </message>
    <message>
        <source>Cannot save the password: %1</source>
        <translation>パスワードを保存できません: %1</translation>
    </message>
    <message>
        <source>Calendars (*.ics);;All files (*)</source>
        <translation>予定表 (*.ics);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Calendars (file or URL)</source>
        <translation>予定表（ファイルまたはURL）</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>File...</source>
        <translation>ファイル...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Destination from calendar</source>
        <translation>予定表から行先を設定</translation>
    </message>
    <message>
        <source>Show event titles</source>
        <translation>件名を表示</translation>
    </message>
    <message>
        <source>My address</source>
        <translation>自分のアドレス</translation>
    </message>
    <message>
        <source>Publish to the team</source>
        <translation>チームに公開する</translation>
    </message>
    <message>
        <source>Broker (mqtt://)</source>
        <translation>ブローカー (mqtt://)</translation>
    </message>
    <message>
        <source>Team topic</source>
        <translation>チームのトピック</translation>
    </message>
    <message>
        <source>Publish &quot;Out&quot; as destination</source>
        <translation>行先を「外出中」として公開</translation>
    </message>
    <message>
        <source>Chat status while away</source>
        <translation>離席中のチャットの状態</translation>
    </message>
    <message>
        <source>Matrix ID</source>
        <translation>Matrix ID</translation>
    </message>
    <message>
        <source>Token: rumo --chat</source>
        <translation>トークン: rumo --chat</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>パスワード</translation>
    </message>
</context>
<context>
    <name>ReturnTime</name>
    <message>
        <source>Return time</source>
        <translation>戻り予定</translation>
    </message>
    <message>
        <source>Back at %1</source>
        <translation>%1 戻り予定</translation>
    </message>
    <message>
        <source>In 15 minutes</source>
        <translation>15分後</translation>
    </message>
    <message>
        <source>In 30 minutes</source>
        <translation>30分後</translation>
    </message>
    <message>
        <source>In 1 hour</source>
        <translation>1時間後</translation>
    </message>
    <message>
        <source>In 2 hours</source>
        <translation>2時間後</translation>
    </message>
    <message>
        <source>After lunch</source>
        <translation>昼休み明け</translation>
    </message>
    <message>
        <source>Other time…</source>
        <translation>指定…</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Back at %1 (%2 min overdue)</source>
        <translation>%1 戻り予定（%2分超過）</translation>
    </message>
    <message>
        <source>End of day</source>
        <translation>定時</translation>
    </message>
</context>
<context>
    <name>TeamBoard</name>
    <message>
        <source>Present</source>
        <translation>在席</translation>
    </message>
    <message>
        <source>Away</source>
        <translation>離席中</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>オフライン</translation>
    </message>
    <message>
        <source>%1 (overdue)</source>
        <translation>%1（超過）</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>State</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>行先</translation>
    </message>
    <message>
        <source>Back at</source>
        <translation>戻り予定</translation>
    </message>
    <message>
        <source>Since</source>
        <translation>いつから</translation>
    </message>
    <message>
        <source>Team board - %1</source>
        <translation>行先掲示板 - %1</translation>
    </message>
    <message>
        <source>Connecting to %1…</source>
        <translation>%1 に接続しています…</translation>
    </message>
    <message>
        <source>Lost the connection to %1. Reconnecting…</source>
        <translation>%1 との接続が切れました。もう一度つなぎます…</translation>
    </message>
    <message>
        <source>Team board</source>
        <translation>行先掲示板</translation>
    </message>
    <message>
        <source>No broker is set for the board yet.
Set one with rumo --publish mqtt://HOST:PORT/TEAM.</source>
        <translation>掲示板のブローカーがまだ設定されていません。
rumo --publish mqtt://ホスト:ポート/チーム で設定してください。</translation>
    </message>
    <message>
        <source>Cannot use TLS: %1</source>
        <translation>TLS を使えません: %1</translation>
    </message>
    <message>
        <source>Cannot connect</source>
        <translation>接続できません</translation>
    </message>
    <message>
        <source>Lost the connection to the broker</source>
        <translation>ブローカーとの接続が切れました</translation>
    </message>
    <message>
        <source>The broker refused the connection: %1</source>
        <translation>ブローカーが接続を断りました: %1</translation>
    </message>
    <message>
        <source>Out</source>
        <comment>published in place of the destination</comment>
        <translation>外出中</translation>
    </message>
</context>
<context>
    <name>TrayMenu</name>
    <message>
        <source>Add destinations in Properties</source>
        <translation>行先はﾌﾟﾛﾊﾟﾃｨで追加します</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>ﾌﾟﾛﾊﾟﾃｨ</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Screen saver</source>
        <translation>ｽｸﾘｰﾝｾｲﾊﾞｰの選択</translation>
    </message>
    <message>
        <source>Start away notice</source>
        <translation>RUMO?の起動</translation>
    </message>
    <message>
        <source>Start screen saver</source>
        <translation>ｽｸﾘｰﾝｾｲﾊﾞｰの起動</translation>
    </message>
    <message>
        <source>Display settings</source>
        <translation>画面のﾌﾟﾛﾊﾟﾃｨ</translation>
    </message>
    <message>
        <source>Exit RUMO?</source>
        <translation>RUMO?の終了</translation>
    </message>
    <message>
        <source>Show bar</source>
        <translation>バーを表示</translation>
    </message>
    <message>
        <source>Destinations</source>
        <translation>行先</translation>
    </message>
    <message>
        <source>Team board</source>
        <translation>行先掲示板</translation>
    </message>
</context>
</TS>
