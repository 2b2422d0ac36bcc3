<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CHDDWidget</name>
    <message>
        <source>Total Space : </source>
        <translation>Espacio total : </translation>
    </message>
    <message>
        <source>HDD %1</source>
        <translation>Disco %1</translation>
    </message>
</context>
<context>
    <name>CPCSetupDialog</name>
    <message>
        <source>PC Setup</source>
        <translation>Configuración del PC</translation>
    </message>
</context>
<context>
    <name>CPCSetupPage</name>
    <message>
        <source>On</source>
        <translation>Encendido</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
</context>
</TS>
