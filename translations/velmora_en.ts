<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
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
</TS>
