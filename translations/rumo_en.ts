<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>Notice</name>
    <message numerus="yes">
        <source>Away for about %1 minute(s)</source>
        <translation>
            <numerusform>Away for about %1 minute</numerusform>
            <numerusform>Away for about %1 minutes</numerusform>
        </translation>
    </message>
</context>
</TS>
