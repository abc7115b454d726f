<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>EngineTexts</name>
    <message>
        <location filename="../src/engine/transport_display.h" line="31"/>
        <source>[!] 工事中&#x3000;少々お待ちください</source>
        <translation>[!] Preparing, please wait</translation>
    </message>
    <message>
        <location filename="../src/engine/transport_display.h" line="32"/>
        <source>演奏中</source>
        <translation>Playing</translation>
    </message>
    <message>
        <location filename="../src/engine/transport_display.h" line="33"/>
        <source>休憩中</source>
        <translation>Idle</translation>
    </message>
    <message>
        <location filename="../src/engine/transport_display.h" line="34"/>
        <source>ロード中</source>
        <translation>Loading</translation>
    </message>
    <message>
        <location filename="../src/engine/transport_display.h" line="35"/>
        <source>処理が間に合わず停止しました。もっとテンポを落とすか、MIDIのバッファを増やして下さい</source>
        <translation>Stopped: the processing could not keep up. Slow down the tempo or enlarge the MIDI buffer.</translation>
    </message>
    <message>
        <location filename="../src/options/rhythm_grid.cpp" line="15"/>
        <source>調整なし</source>
        <translation>No adjustment</translation>
    </message>
    <message>
        <location filename="../src/options/rhythm_grid.cpp" line="15"/>
        <source>16拍（4拍子）</source>
        <translation>16 beats (4/4)</translation>
    </message>
    <message>
        <location filename="../src/options/rhythm_grid.cpp" line="16"/>
        <source>12拍（3拍子）</source>
        <translation>12 beats (3/4)</translation>
    </message>
    <message>
        <location filename="../src/options/rhythm_grid.cpp" line="16"/>
        <source>8拍（4拍子）</source>
        <translation>8 beats (4/4)</translation>
    </message>
    <message>
        <location filename="../src/options/rhythm_grid.cpp" line="17"/>
        <source>6拍（3拍子）</source>
        <translation>6 beats (3/4)</translation>
    </message>
    <message>
        <location filename="../src/options/rhythm_grid.cpp" line="17"/>
        <source>4拍（4拍子）</source>
        <translation>4 beats (4/4)</translation>
    </message>
    <message>
        <location filename="../src/options/rhythm_grid.cpp" line="18"/>
        <source>4拍（2拍子）</source>
        <translation>4 beats (2/4)</translation>
    </message>
    <message>
        <location filename="../src/mapping/note_names.cpp" line="15"/>
        <source>ファニー</source>
        <translation>Funny</translation>
    </message>
    <message>
        <location filename="../src/mapping/note_names.cpp" line="16"/>
        <source>ファンタジック</source>
        <translation>Fantastic</translation>
    </message>
    <message>
        <location filename="../src/mapping/note_names.cpp" line="17"/>
        <source>ジプシー音階</source>
        <translation>Gypsy scale</translation>
    </message>
    <message>
        <location filename="../src/mapping/note_names.cpp" line="18"/>
        <source>全音階</source>
        <translation>Whole-tone scale</translation>
    </message>
    <message>
        <location filename="../src/mapping/note_names.cpp" line="19"/>
        <source>呂旋法</source>
        <translation>Ryo mode</translation>
    </message>
    <message>
        <location filename="../src/mapping/note_names.cpp" line="20"/>
        <source>律旋法</source>
        <translation>Ritsu mode</translation>
    </message>
    <message>
        <location filename="../src/mapping/note_names.cpp" line="21"/>
        <source>琉球旋法</source>
        <translation>Ryukyu mode</translation>
    </message>
    <message>
        <location filename="../src/mapping/note_names.cpp" line="22"/>
        <source>メジャー風</source>
        <translation>Major-like</translation>
    </message>
    <message>
        <location filename="../src/mapping/note_names.cpp" line="23"/>
        <source>マイナー風</source>
        <translation>Minor-like</translation>
    </message>
    <message>
        <location filename="../src/mapping/note_names.cpp" line="24"/>
        <source>ブルース風</source>
        <translation>Blues-like</translation>
    </message>
    <message>
        <location filename="../src/mapping/note_names.cpp" line="25"/>
        <source>より自然なサウンド（かも知れない）</source>
        <translation>A more natural sound (perhaps)</translation>
    </message>
    <message>
        <location filename="../src/mapping/note_names.cpp" line="26"/>
        <source>スパニッシュスケール</source>
        <translation>Spanish scale</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/engine_texts.cpp" line="54"/>
        <source>ファイル %1 は開けません</source>
        <translation>Cannot open the file %1</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/engine_texts.cpp" line="56"/>
        <source>ファイル %1 を作成できません</source>
        <translation>Cannot create the file %1</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/engine_texts.cpp" line="58"/>
        <source>%1 に書き込めません</source>
        <translation>Cannot write to %1</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/engine_texts.cpp" line="93"/>
        <source>音声出力がメッセージを受け付けなくなりました（ドライバ %1 が止まったか終了しました）。音が抜けています</source>
        <translation>The audio output stopped taking messages (its driver %1 has stalled or died); notes are being dropped</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/engine_texts.cpp" line="98"/>
        <source>MIDI ポート %1 がメッセージを受け付けなくなりました（%2）。音が抜けています</source>
        <translation>The MIDI port %1 stopped taking messages (%2); notes are being dropped</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/engine_texts.cpp" line="103"/>
        <source>MIDI ポート %1 がなくなりました。音が抜けています</source>
        <translation>The MIDI port %1 is no longer there; notes are being dropped</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/engine_texts.cpp" line="107"/>
        <source>キャプチャファイル %1 を書き込めませんでした（%2）</source>
        <translation>Writing the capture file %1 failed (%2)</translation>
    </message>
</context>
<context>
    <name>FileErrorTexts</name>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="16"/>
        <source>ディスクに空きがありません</source>
        <translation>No space left on the disk</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="18"/>
        <source>ディスクの使用量の割り当てを超えました</source>
        <translation>The disk quota is used up</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="21"/>
        <source>ファイルが大きすぎます（ファイルサイズの上限）</source>
        <translation>The file is too large (the file-size limit)</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="24"/>
        <source>アクセスが許可されていません</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="26"/>
        <source>読み取り専用のファイルシステムです</source>
        <translation>The file system is read-only</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="28"/>
        <source>そのフォルダまたはファイルはありません</source>
        <translation>No such folder or file</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="30"/>
        <source>途中の名前がフォルダではありません</source>
        <translation>A part of the path is not a folder</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="32"/>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="51"/>
        <source>フォルダです</source>
        <translation>It is a folder</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="34"/>
        <source>名前が長すぎます</source>
        <translation>The name is too long</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="36"/>
        <source>入出力エラーが起きました</source>
        <translation>An input/output error occurred</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="54"/>
        <source>ブロックデバイス（ディスク）には書き込みません</source>
        <translation>A block device (a disk) is not written to</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="56"/>
        <source>このファイルには別の名前（ハードリンク）があります。置き換えるとその名前から切り離されます</source>
        <translation>The file has other names (hard links); replacing it would split it from them</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="60"/>
        <source>読み取り専用のファイルです</source>
        <translation>The file is read-only</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="62"/>
        <source>別のユーザーかグループ（%1）のファイルです。新しいファイルでは持ち主を保てないので、そのままにしました</source>
        <translation>The file belongs to another user or group (%1), which a new file could not keep; it was left as it is</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="68"/>
        <source>フォルダ %1 には新しいファイルを作れません（%2）。ファイルはその隣に作る新しいファイルで置き換えます</source>
        <translation>The folder %1 does not allow new files (%2); the file is replaced through a new file beside it</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="74"/>
        <source>読み出すプロセスがありません</source>
        <translation>No process reads from it</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="76"/>
        <source>書き込み中のファイルが、フォルダごとか単独で削除されました</source>
        <translation>The file being written was removed, with its folder or alone</translation>
    </message>
    <message>
        <location filename="../src/ui/settings/file_error_texts.cpp" line="80"/>
        <source>書き出しのために読むファイル（テキスト、その設定ファイルかサウンドフォント）です。何も書き込みませんでした</source>
        <translation>It is a file the export reads (the text, its settings file or the soundfont); nothing was written</translation>
    </message>
</context>
<context>
    <name>InstrumentRanges</name>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="9"/>
        <source>グランドピアノ</source>
        <translation>Grand piano</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="11"/>
        <source>明るく歯切れのよいグランドピアノ</source>
        <translation>Bright, crisp grand piano</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="13"/>
        <source>エレクトリック・グランドピアノ</source>
        <translation>Electric grand piano</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="14"/>
        <source>調子の外れた酒場のピアノ</source>
        <translation>Out-of-tune saloon piano</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="15"/>
        <source>エレクトリックピアノ(ローズ系)</source>
        <translation>Electric piano (Rhodes type)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="16"/>
        <source>エレクトリックピアノ(FM系)</source>
        <translation>Electric piano (FM type)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="17"/>
        <source>ハープシコード(チェンバロ)</source>
        <translation>Harpsichord (cembalo)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="18"/>
        <source>クラビネット</source>
        <translation>Clavinet</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="19"/>
        <source>チェレスタ(鍵盤付きの鉄琴)</source>
        <translation>Celesta (keyboard glockenspiel)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="20"/>
        <source>グロッケン(鉄琴)</source>
        <translation>Glockenspiel</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="21"/>
        <source>オルゴール</source>
        <translation>Music box</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="22"/>
        <source>ビブラフォン</source>
        <translation>Vibraphone</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="23"/>
        <source>マリンバ</source>
        <translation>Marimba</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="24"/>
        <source>シロフォン(木琴)</source>
        <translation>Xylophone</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="25"/>
        <source>チューブラーベル(鐘)</source>
        <translation>Tubular bells (chimes)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="26"/>
        <source>ダルシマー(打弦楽器)</source>
        <translation>Dulcimer (struck strings)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="27"/>
        <source>ドローバーオルガン</source>
        <translation>Drawbar organ</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="28"/>
        <source>パーカッシブオルガン</source>
        <translation>Percussive organ</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="29"/>
        <source>ロックオルガン</source>
        <translation>Rock organ</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="30"/>
        <source>チャーチオルガン(パイプオルガン)</source>
        <translation>Church organ (pipe organ)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="31"/>
        <source>リードオルガン(足踏みオルガン)</source>
        <translation>Reed organ (pump organ)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="32"/>
        <source>アコーディオン</source>
        <translation>Accordion</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="33"/>
        <source>ハーモニカ</source>
        <translation>Harmonica</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="35"/>
        <source>タンゴアコーディオン(バンドネオン)</source>
        <translation>Tango accordion (bandoneon)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="37"/>
        <source>ナイロン弦ギター(クラシックギター)</source>
        <translation>Nylon-string guitar (classical)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="39"/>
        <source>スチール弦ギター(フォークギター)</source>
        <translation>Steel-string guitar (folk)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="40"/>
        <source>ジャズギター</source>
        <translation>Jazz guitar</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="41"/>
        <source>エレキギター(クリーン)</source>
        <translation>Electric guitar (clean)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="42"/>
        <source>エレキギター(ミュート)</source>
        <translation>Electric guitar (muted)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="43"/>
        <source>オーバードライブギター</source>
        <translation>Overdriven guitar</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="44"/>
        <source>ディストーションギター</source>
        <translation>Distortion guitar</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="45"/>
        <source>ギターハーモニクス</source>
        <translation>Guitar harmonics</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="46"/>
        <source>ウッドベース</source>
        <translation>Upright bass</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="47"/>
        <source>エレキベース(指弾き)</source>
        <translation>Electric bass (finger)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="48"/>
        <source>エレキベース(ピック弾き)</source>
        <translation>Electric bass (pick)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="49"/>
        <source>フレットレスベース</source>
        <translation>Fretless bass</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="50"/>
        <source>スラップベース1</source>
        <translation>Slap bass 1</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="51"/>
        <source>スラップベース2</source>
        <translation>Slap bass 2</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="52"/>
        <source>シンセベース1</source>
        <translation>Synth bass 1</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="53"/>
        <source>シンセベース2</source>
        <translation>Synth bass 2</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="54"/>
        <source>バイオリン</source>
        <translation>Violin</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="55"/>
        <source>ビオラ</source>
        <translation>Viola</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="56"/>
        <source>チェロ</source>
        <translation>Cello</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="57"/>
        <source>コントラバス</source>
        <translation>Contrabass</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="58"/>
        <source>トレモロ弦楽合奏</source>
        <translation>Tremolo strings</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="59"/>
        <source>ピチカート弦楽合奏</source>
        <translation>Pizzicato strings</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="60"/>
        <source>ハープ</source>
        <translation>Harp</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="61"/>
        <source>ティンパニ</source>
        <translation>Timpani</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="62"/>
        <source>弦楽合奏1</source>
        <translation>String ensemble 1</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="63"/>
        <source>弦楽合奏2(ゆっくり立ち上がる)</source>
        <translation>String ensemble 2 (slow attack)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="64"/>
        <source>シンセストリングス1</source>
        <translation>Synth strings 1</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="65"/>
        <source>シンセストリングス2</source>
        <translation>Synth strings 2</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="66"/>
        <source>合唱(アー)</source>
        <translation>Choir (aah)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="67"/>
        <source>声(ウー)</source>
        <translation>Voice (ooh)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="68"/>
        <source>シンセボイス</source>
        <translation>Synth voice</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="69"/>
        <source>オーケストラヒット</source>
        <translation>Orchestra hit</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="70"/>
        <source>トランペット</source>
        <translation>Trumpet</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="71"/>
        <source>トロンボーン</source>
        <translation>Trombone</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="72"/>
        <source>チューバ</source>
        <translation>Tuba</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="73"/>
        <source>ミュートトランペット</source>
        <translation>Muted trumpet</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="74"/>
        <source>フレンチホルン(ホルン)</source>
        <translation>French horn</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="75"/>
        <source>ブラスセクション(金管合奏)</source>
        <translation>Brass section</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="76"/>
        <source>シンセブラス1</source>
        <translation>Synth brass 1</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="77"/>
        <source>シンセブラス2</source>
        <translation>Synth brass 2</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="78"/>
        <source>ソプラノサックス</source>
        <translation>Soprano sax</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="79"/>
        <source>アルトサックス</source>
        <translation>Alto sax</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="80"/>
        <source>テナーサックス</source>
        <translation>Tenor sax</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="81"/>
        <source>バリトンサックス</source>
        <translation>Baritone sax</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="82"/>
        <source>オーボエ</source>
        <translation>Oboe</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="84"/>
        <source>イングリッシュホルン(コールアングレ)</source>
        <translation>English horn (cor anglais)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="85"/>
        <source>ファゴット(バスーン)</source>
        <translation>Bassoon</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="86"/>
        <source>クラリネット</source>
        <translation>Clarinet</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="87"/>
        <source>ピッコロ</source>
        <translation>Piccolo</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="88"/>
        <source>フルート</source>
        <translation>Flute</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="89"/>
        <source>リコーダー</source>
        <translation>Recorder</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="90"/>
        <source>パンフルート</source>
        <translation>Pan flute</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="91"/>
        <source>瓶を吹き鳴らす音</source>
        <translation>Blown bottle</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="92"/>
        <source>尺八</source>
        <translation>Shakuhachi</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="93"/>
        <source>口笛</source>
        <translation>Whistle</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/instrument_ranges.cpp" line="94"/>
        <source>オカリナ</source>
        <translation>Ocarina</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <location filename="../src/language/qt/translations.cpp" line="49"/>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <location filename="../src/language/qt/translations.cpp" line="53"/>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="42"/>
        <source>テキストが空なので書き出せません</source>
        <translation>The text is empty, so there is nothing to export</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="44"/>
        <source>PDF の楽譜は LilyPond で組版します。lilypond パッケージを入れるか、ファイルの種類で MusicXML を選んでください</source>
        <translation>A PDF score is typeset by LilyPond: install the lilypond package, or choose MusicXML as the file type</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="49"/>
        <source>曲が長すぎて WAV ファイルにできません。ファイルの種類で FLAC、Ogg Vorbis か MP3 を選んでください</source>
        <translation>The music is too long for a WAV file. Choose FLAC, Ogg Vorbis or MP3 as the file type</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="31"/>
        <source>書き出せませんでした。</source>
        <translation>The export failed.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/user_prompts.cpp" line="49"/>
        <source>テキスト (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/user_prompts.cpp" line="49"/>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/user_prompts.cpp" line="88"/>
        <source>「%1」への変更を保存しますか？</source>
        <translation>Save the changes to “%1”?</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/user_prompts.cpp" line="96"/>
        <source>「%1」の保存されていない変更が残っています（%2）。復元しますか？</source>
        <translation>Unsaved changes to “%1” were kept (%2). Restore them?</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/user_prompts.cpp" line="98"/>
        <source>復元(&amp;R)</source>
        <translation>&amp;Restore</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/user_prompts.cpp" line="99"/>
        <source>破棄(&amp;D)</source>
        <translation>&amp;Discard</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/user_prompts.cpp" line="100"/>
        <source>後で(&amp;L)</source>
        <translation>&amp;Later</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/window_menus.cpp" line="26"/>
        <source>&lt;h3&gt;Velmora %1&lt;/h3&gt;&lt;p&gt;テキストを音楽に変えるプログラム&lt;/p&gt;&lt;p&gt;使用しているソフトウェアとそのライセンス:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Qt %2 — GNU LGPL v3&lt;/li&gt;&lt;li&gt;FluidSynth — GNU LGPL v2.1 以降&lt;/li&gt;&lt;li&gt;TimGM6mb サウンドフォント (Tim Brechbill, David Bolton) — GNU GPL v2&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Velmora は MIT ライセンスのフリーソフトウェアです。© 2026 The Velmora developers&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Velmora %1&lt;/h3&gt;&lt;p&gt;A program that turns text into music&lt;/p&gt;&lt;p&gt;Software used and its licences:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Qt %2 — GNU LGPL v3&lt;/li&gt;&lt;li&gt;FluidSynth — GNU LGPL v2.1 or later&lt;/li&gt;&lt;li&gt;TimGM6mb soundfont (Tim Brechbill, David Bolton) — GNU GPL v2&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Velmora is free software under the MIT licence. © 2026 The Velmora developers&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>velmora::CommandRegistry</name>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="34"/>
        <source>新規(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="36"/>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="37"/>
        <source>開く (Ctrl+O)</source>
        <translation>Open (Ctrl+O)</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="38"/>
        <source>既存のファイルを開く</source>
        <translation>Open an existing file</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="39"/>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="40"/>
        <source>上書き保存 (Ctrl+S)</source>
        <translation>Save (Ctrl+S)</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="42"/>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="43"/>
        <source>名前をつけて保存 (Ctrl+Shift+S)</source>
        <translation>Save as (Ctrl+Shift+S)</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="45"/>
        <source>MIDI書き出し(&amp;M)...</source>
        <translation>Export &amp;MIDI...</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="46"/>
        <source>MIDIファイルとして保存する</source>
        <translation>Save as a MIDI file</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="47"/>
        <source>WAV書き出し(&amp;W)...</source>
        <translation>Export &amp;WAV...</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="48"/>
        <source>WAVファイルとして保存する</source>
        <translation>Save as a WAV file</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="50"/>
        <source>楽譜書き出し(&amp;E)...</source>
        <translation>&amp;Export Score...</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="52"/>
        <source>MIDI に歌詞を入れる(&amp;L)</source>
        <translation>&amp;Lyrics in MIDI Export</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="53"/>
        <source>MIDI 書き出しで、メロディの音ごとにその文字を歌詞として書き込みます</source>
        <translation>The MIDI export writes each melody note&apos;s character as a lyric</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="56"/>
        <source>終了(&amp;Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="58"/>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="61"/>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="62"/>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="64"/>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="66"/>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="68"/>
        <source>すべて選択(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="70"/>
        <source>検索(&amp;F)...</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="72"/>
        <source>次を検索(&amp;N)</source>
        <translation>Find &amp;Next</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="77"/>
        <source>消音</source>
        <translation>Mute</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="79"/>
        <source>打鍵で鳴らす</source>
        <translation>Sound keys as you type</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="81"/>
        <source>演奏していないとき、メモに打った文字をすぐに鳴らします</source>
        <translation>While nothing plays, each character typed in the memo sounds at once</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="83"/>
        <location filename="../src/ui/commands/command_registry.cpp" line="84"/>
        <source>出力…</source>
        <translation>Output…</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="85"/>
        <source>音の出力先とサウンドフォントを選ぶ</source>
        <translation>Choose the sound output and soundfont</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="86"/>
        <source>プリセット</source>
        <translation>Preset</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="87"/>
        <source>楽器の音域表示</source>
        <translation>Show instrument ranges</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="88"/>
        <source>Velmoraについて(&amp;A)</source>
        <translation>&amp;About Velmora</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/command_registry.cpp" line="129"/>
        <source>最近使ったファイル(&amp;R)</source>
        <translation>&amp;Recent files</translation>
    </message>
</context>
<context>
    <name>velmora::DesktopPrompts</name>
    <message>
        <location filename="../src/ui/dialogs/user_prompts.cpp" line="22"/>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/user_prompts.cpp" line="24"/>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/user_prompts.cpp" line="26"/>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/user_prompts.cpp" line="82"/>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/user_prompts.cpp" line="83"/>
        <source>ファイルが存在します&#x3000;上書きしますか？</source>
        <translation>The file exists. Overwrite it?</translation>
    </message>
</context>
<context>
    <name>velmora::Document</name>
    <message>
        <location filename="../src/ui/document/document.cpp" line="141"/>
        <source>このテキストの設定を保存せずに続けますか？</source>
        <translation>Continue without saving this text&apos;s settings?</translation>
    </message>
    <message>
        <location filename="../src/ui/document/document.cpp" line="146"/>
        <source>%1 は別のプログラムの設定ファイルのため、このテキストの設定は保存しません</source>
        <translation>%1 belongs to another program, so this text&apos;s settings are not saved</translation>
    </message>
    <message>
        <location filename="../src/ui/document/document.cpp" line="154"/>
        <source>%1 には NUL 文字があるため、その手前までを読み込みました。</source>
        <translation>%1 contains a NUL character; it was read up to that point.</translation>
    </message>
    <message>
        <location filename="../src/ui/document/document.cpp" line="157"/>
        <source>%1 には読めない文字があり、置き換えて表示しています。</source>
        <translation>%1 contains characters that could not be read; they are shown replaced.</translation>
    </message>
    <message>
        <location filename="../src/ui/document/document.cpp" line="167"/>
        <source>%1 に保存しました</source>
        <translation>Saved to %1</translation>
    </message>
    <message>
        <location filename="../src/ui/document/document.cpp" line="168"/>
        <source>（CP932 で表せない文字があるため UTF-8 で保存しました）</source>
        <translation>(saved as UTF-8 because some characters cannot be written in CP932)</translation>
    </message>
    <message>
        <location filename="../src/ui/document/document.cpp" line="178"/>
        <source>%1 は一部しか読み込めていません。上書きすると読み込めなかった内容は失われます。上書きしますか？</source>
        <translation>Only part of %1 could be read. Overwriting it loses the part that was not read. Overwrite it?</translation>
    </message>
    <message>
        <location filename="../src/ui/document/document.cpp" line="220"/>
        <location filename="../src/ui/document/document.cpp" line="247"/>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <location filename="../src/ui/document/document.cpp" line="237"/>
        <source>復元用のコピーを保存できません: %1</source>
        <translation>Cannot keep a recovery copy: %1</translation>
    </message>
</context>
<context>
    <name>velmora::ExportCommands</name>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="82"/>
        <source>%1 を書き出しました</source>
        <translation>Exported %1</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="83"/>
        <source>完了しました</source>
        <translation>Done</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="91"/>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="123"/>
        <source>MIDI ファイルに書き出す</source>
        <translation>Export a MIDI File</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="123"/>
        <source>MIDI ファイル (*.mid)</source>
        <translation>MIDI files (*.mid)</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="127"/>
        <source>MIDI ファイルを書き出しています…</source>
        <translation>Exporting the MIDI file…</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="133"/>
        <source>MusicXML (*.musicxml)</source>
        <translation>MusicXML (*.musicxml)</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="133"/>
        <source>圧縮 MusicXML (*.mxl)</source>
        <translation>Compressed MusicXML (*.mxl)</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="133"/>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="134"/>
        <source>楽譜に書き出す</source>
        <translation>Export a Score</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="141"/>
        <source>楽譜を書き出しています…</source>
        <translation>Exporting the score…</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="153"/>
        <source>音声ファイルに書き出す</source>
        <translation>Export an Audio File</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="162"/>
        <source>%1 ファイルを書き出しています…</source>
        <translation>Writing the %1 file…</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="198"/>
        <source>書き出しを取り消しました</source>
        <translation>Export cancelled</translation>
    </message>
    <message>
        <location filename="../src/ui/export/export_commands.cpp" line="204"/>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>velmora::MainWindow</name>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="12"/>
        <source>高域制限 値以上の高音をオクターブ下げる73..100&#x3000;３点ハが84</source>
        <translation>High limit: notes at or above the value go an octave down (73..100, C6 is 84)</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="14"/>
        <source>低域制限 値以下の低音をオクターブあげる 40..60&#x3000;1点ハが60</source>
        <translation>Low limit: notes at or below the value go an octave up (40..60, middle C is 60)</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="16"/>
        <source>メロディのボリューム  2chでは上のボリューム</source>
        <translation>Melody volume (upper part with 2Ch)</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="17"/>
        <source>キーを上げ下げする</source>
        <translation>Raise or lower the key</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="34"/>
        <source>リピ－ト</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="35"/>
        <source>単独楽器&#x3000;2ｃｈ&#x3000;では伴奏</source>
        <translation>Instrument (accompaniment with 2Ch)</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="37"/>
        <source>ソロ楽器&#x3000;2ｃｈのみ使用</source>
        <translation>Solo instrument (2Ch only)</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="41"/>
        <source>伴奏のボリューム 2chでは下のボリューム</source>
        <translation>Accompaniment volume (lower part with 2Ch)</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="42"/>
        <source>テンポ</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="47"/>
        <source>パターン</source>
        <translation>Pattern</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="55"/>
        <source>リズム</source>
        <translation>Rhythm</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="56"/>
        <source>語頭で和音を鳴らす</source>
        <translation>Chord at word start</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="57"/>
        <source>E に主音を割り当て</source>
        <translation>Tonic on E</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="58"/>
        <source>ドレミをミファソとかラシドとかに読み替える</source>
        <translation>Read do-re-mi as mi-fa-sol or la-ti-do</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="59"/>
        <source>和音を厚くする</source>
        <translation>Fuller chords</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="60"/>
        <location filename="../src/ui/controls/option_presentation.cpp" line="62"/>
        <source>高</source>
        <translation>Hi</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="61"/>
        <location filename="../src/ui/controls/option_presentation.cpp" line="63"/>
        <source>低</source>
        <translation>Lo</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="64"/>
        <source>曲頭調整</source>
        <translation>Align start</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="65"/>
        <source>チェックで音の出だしをリズムの始まりにする</source>
        <translation>When checked, the music starts at the start of the rhythm</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="67"/>
        <source>ソロ楽器と伴奏楽器とに分ける</source>
        <translation>Split into solo and accompaniment instruments</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="69"/>
        <source>未割当ての文字後も</source>
        <translation>After unmapped letters too</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="70"/>
        <source>未割当てのアルｆベット後も和音を鳴らす</source>
        <translation>Play chords after unmapped letters too</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="71"/>
        <source>リズム拍の空音を飛ばす</source>
        <translation>Skip silent rhythm beats</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="72"/>
        <source>リズムの先頭で無理やり音を鳴らす</source>
        <translation>Force a note at the start of the rhythm</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="73"/>
        <source>和音をオクターブ下げる</source>
        <translation>Chords an octave down</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="74"/>
        <source>リズム補正</source>
        <translation>Rhythm fix</translation>
    </message>
    <message>
        <location filename="../src/ui/controls/option_presentation.cpp" line="75"/>
        <source>大きいほどリズムが安定しますが変化に乏しくなることも</source>
        <translation>Higher values steady the rhythm but may make it less varied</translation>
    </message>
    <message>
        <location filename="../src/ui/window/command_wiring.cpp" line="143"/>
        <source>（なし）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <location filename="../src/ui/window/main_controls.cpp" line="174"/>
        <source>演奏時間の目安</source>
        <translation>Estimated playing time</translation>
    </message>
    <message>
        <location filename="../src/ui/window/main_controls.cpp" line="176"/>
        <source>経過時間</source>
        <translation>Elapsed time</translation>
    </message>
    <message>
        <location filename="../src/ui/window/main_window.cpp" line="82"/>
        <source>演奏中に音の出力で問題が起きました。</source>
        <translation>The sound output ran into a problem during the performance.</translation>
    </message>
    <message>
        <location filename="../src/ui/window/main_window.cpp" line="185"/>
        <source>設定を保存せずに終了しますか？</source>
        <translation>Quit without saving the settings?</translation>
    </message>
    <message>
        <location filename="../src/ui/window/output_commands.cpp" line="27"/>
        <source>演奏中は試聴できません</source>
        <translation>No test sound while a performance plays</translation>
    </message>
    <message>
        <location filename="../src/ui/window/output_commands.cpp" line="32"/>
        <source>出力 %1 を選べません: %2</source>
        <translation>Cannot choose the output %1: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/window/output_commands.cpp" line="40"/>
        <source>出力を開けません: %1</source>
        <translation>Cannot open the output: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/window/output_commands.cpp" line="51"/>
        <source>出力 %1 を選べません</source>
        <translation>Cannot choose the output %1</translation>
    </message>
    <message>
        <location filename="../src/ui/window/output_commands.cpp" line="60"/>
        <source>%1 はサウンドフォントではありません</source>
        <translation>%1 is not a soundfont</translation>
    </message>
    <message>
        <location filename="../src/ui/window/output_commands.cpp" line="67"/>
        <source>サウンドフォント: </source>
        <translation>Soundfont: </translation>
    </message>
    <message>
        <location filename="../src/ui/window/transport_view.cpp" line="97"/>
        <source>出力を開けません</source>
        <translation>Cannot open the output</translation>
    </message>
    <message>
        <location filename="../src/ui/window/transport_view.cpp" line="99"/>
        <source>音を出せません。「設定」メニューの「出力…」で出力先かサウンドフォントを選んでください。</source>
        <translation>No sound can be played. Choose an output or a soundfont with &quot;Output…&quot; in the Settings menu.</translation>
    </message>
    <message>
        <location filename="../src/ui/window/option_reactions.cpp" line="43"/>
        <source>1 音の長さ（ミリ秒）。大きいほどゆっくりです。今は ♩ = %1 (1 音を八分音符として)</source>
        <translation>The length of one step in milliseconds: a larger value is slower. Now ♩ = %1 (a step as an eighth note)</translation>
    </message>
</context>
<context>
    <name>velmora::MemoSearch</name>
    <message>
        <location filename="../src/ui/memo/memo_search.cpp" line="15"/>
        <source>検索</source>
        <translation>Find</translation>
    </message>
    <message>
        <location filename="../src/ui/memo/memo_search.cpp" line="15"/>
        <source>探す文字列:</source>
        <translation>Find what:</translation>
    </message>
    <message>
        <location filename="../src/ui/memo/memo_search.cpp" line="28"/>
        <source>「%1」は見つかりません</source>
        <translation>“%1” was not found</translation>
    </message>
</context>
<context>
    <name>velmora::OutputDialog</name>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="28"/>
        <source>内蔵の General MIDI シンセサイザー (FluidSynth)</source>
        <translation>built-in General MIDI synthesizer (FluidSynth)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="30"/>
        <source>名前に NAME を含む最初の MIDI 出力ポート</source>
        <translation>the first MIDI output port whose name contains NAME</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="32"/>
        <source>すべてのメッセージを時刻とともに FILE に書き込む</source>
        <translation>write every message with its time to FILE</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="33"/>
        <source>音を出さない</source>
        <translation>no sound</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="40"/>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="58"/>
        <source>低遅延</source>
        <translation>Low latency</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="61"/>
        <source>標準</source>
        <translation>Standard</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="64"/>
        <source>安全</source>
        <translation>Safe</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="67"/>
        <source>%1（約 %2 ms）</source>
        <translation>%1 (about %2 ms)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="91"/>
        <source>出力</source>
        <translation>Output</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="114"/>
        <source>（既定の General MIDI サウンドフォント）</source>
        <translation>(default General MIDI soundfont)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="116"/>
        <source>参照…</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="129"/>
        <source>試聴</source>
        <translation>Test sound</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="131"/>
        <source>短い音階を鳴らします（前半は伴奏、後半はメロディのチャンネル）</source>
        <translation>Plays a short scale (its first half on the backing channel, its second half on the melody channel)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="141"/>
        <source>出力先</source>
        <translation>Output to</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="142"/>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="205"/>
        <source>サウンドフォント</source>
        <translation>Soundfont</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="148"/>
        <source>小さいほど打鍵にすぐ応えますが、忙しいマシンでは音が途切れやすくなります</source>
        <translation>A smaller buffer answers a typed key sooner, but the sound breaks up more easily on a busy machine</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="150"/>
        <source>音声ドライバ</source>
        <translation>Audio driver</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="151"/>
        <source>バッファ</source>
        <translation>Buffer</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="155"/>
        <source>使用中</source>
        <translation>In use</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="161"/>
        <source>（まだ開いていません）</source>
        <translation>(not opened yet)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="194"/>
        <source>%1 はサウンドフォント (.sf2 / .sf3) ではありません。</source>
        <translation>%1 is not a soundfont (.sf2 / .sf3).</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/output_dialog.cpp" line="206"/>
        <source>SoundFont (*.sf2 *.sf3);;すべて (*)</source>
        <translation>SoundFont (*.sf2 *.sf3);;All files (*)</translation>
    </message>
</context>
<context>
    <name>velmora::PresetDialog</name>
    <message>
        <location filename="../src/ui/dialogs/preset_dialog.cpp" line="34"/>
        <source>ソロ楽器&#x3000;2ｃｈのみ使用</source>
        <translation>Solo instrument (2Ch only)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/preset_dialog.cpp" line="138"/>
        <source>楽器音域表とソロ楽器プリセット設定</source>
        <translation>Instrument ranges and solo instrument presets</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/preset_dialog.cpp" line="167"/>
        <source>ソロ楽器</source>
        <translation>Solo</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/preset_dialog.cpp" line="168"/>
        <location filename="../src/ui/dialogs/preset_dialog.cpp" line="170"/>
        <source>プリセット</source>
        <translation>Preset</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/preset_dialog.cpp" line="171"/>
        <source>単独</source>
        <translation>Single</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/preset_dialog.cpp" line="172"/>
        <source>伴奏楽器</source>
        <translation>Accompaniment</translation>
    </message>
</context>
<context>
    <name>velmora::RollPanel</name>
    <message>
        <location filename="../src/ui/roll/roll_panel.cpp" line="66"/>
        <source>長いテキストのため、最初の %1 文字ほどの音楽を表示しています</source>
        <translation>The text is long: the roll shows the music of about its first %1 characters</translation>
    </message>
</context>
<context>
    <name>velmora::RollView</name>
    <message>
        <location filename="../src/ui/roll/roll_view_text.cpp" line="18"/>
        <source>ピアノロール</source>
        <translation>Piano roll</translation>
    </message>
    <message>
        <location filename="../src/ui/roll/roll_view_text.cpp" line="19"/>
        <source>テキストの音楽を、横に時間、縦に音の高さで表示します。演奏中は鳴っている音と小節を、それ以外はカーソルの文字の音を伝えます。</source>
        <translation>Shows the music of the text, time running to the right and pitch upwards. During a performance it tells the sounding note and bar, otherwise the notes of the character at the caret.</translation>
    </message>
    <message>
        <location filename="../src/ui/roll/roll_view_text.cpp" line="27"/>
        <source>%1小節 %2拍</source>
        <translation>bar %1, beat %2</translation>
    </message>
    <message>
        <location filename="../src/ui/roll/roll_view_text.cpp" line="40"/>
        <source>%1（旋律）</source>
        <translation>%1 (melody)</translation>
    </message>
    <message>
        <location filename="../src/ui/roll/roll_view_text.cpp" line="40"/>
        <source>%1（和音）</source>
        <translation>%1 (chord)</translation>
    </message>
    <message>
        <location filename="../src/ui/roll/roll_view_text.cpp" line="45"/>
        <source>文字「%1」</source>
        <translation>character “%1”</translation>
    </message>
    <message>
        <location filename="../src/ui/roll/roll_view_text.cpp" line="75"/>
        <source>休符</source>
        <translation>rest</translation>
    </message>
    <message>
        <location filename="../src/ui/roll/roll_view_text.cpp" line="76"/>
        <source>演奏中: %1</source>
        <translation>Playing: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/roll/roll_view_text.cpp" line="77"/>
        <source>演奏中 %1小節: %2</source>
        <translation>Playing bar %1: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/roll/roll_view_text.cpp" line="87"/>
        <source>カーソルの文字の音はありません</source>
        <translation>The character at the caret makes no note</translation>
    </message>
    <message>
        <location filename="../src/ui/roll/roll_view_text.cpp" line="88"/>
        <source>カーソルの文字の音: %1</source>
        <translation>Notes of the character at the caret: %1</translation>
    </message>
</context>
<context>
    <name>velmora::WindowMenus</name>
    <message>
        <location filename="../src/ui/commands/window_menus.cpp" line="45"/>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/window_menus.cpp" line="56"/>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/window_menus.cpp" line="63"/>
        <source>演奏(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/window_menus.cpp" line="68"/>
        <source>設定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/window_menus.cpp" line="72"/>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/window_menus.cpp" line="98"/>
        <source>言語の変更は次回の起動から有効になります</source>
        <translation>The language change takes effect at the next start</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/window_menus.cpp" line="100"/>
        <source>言語の設定を保存できません</source>
        <translation>Cannot save the language setting</translation>
    </message>
    <message>
        <location filename="../src/ui/commands/window_menus.cpp" line="107"/>
        <source>Velmoraについて</source>
        <translation>About Velmora</translation>
    </message>
</context>
</TS>
