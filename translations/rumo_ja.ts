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
</context>
</TS>
