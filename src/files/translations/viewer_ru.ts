<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en_US">
<context>
    <name>CAutoPresetWidget</name>
    <message>
        <source>CAutoPresetWidget</source>
        <translation>CAutoPresetWidget</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Начало</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Конец</translation>
    </message>
    <message>
        <source>Interval(sec)</source>
        <translation>Интервал(с)</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>Пресет %1</translation>
    </message>
</context>
<context>
    <name>CBackupWidget</name>
    <message>
        <source>Start</source>
        <translation>Начало</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Конец</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Please connect a DVR first.</source>
        <translation>Сначала подключите регистратор.</translation>
    </message>
    <message>
        <source>Please select a channel.</source>
        <translation>Выберите канал.</translation>
    </message>
    <message>
        <source>The end time is before the start time.</source>
        <translation>Время окончания раньше времени начала.</translation>
    </message>
</context>
<context>
    <name>CCameraWidget</name>
    <message>
        <source>DVR Name : %1
</source>
        <translation>Регистратор : %1
</translation>
    </message>
    <message>
        <source>Address : %1
</source>
        <translation>Адрес : %1
</translation>
    </message>
    <message>
        <source>Port : %1
</source>
        <translation>Порт : %1
</translation>
    </message>
    <message>
        <source>User : %1
</source>
        <translation>Пользователь : %1
</translation>
    </message>
    <message>
        <source>Camera : %1
</source>
        <translation>Камера : %1
</translation>
    </message>
    <message>
        <source>Please check the position of the camera.</source>
        <translation>Проверьте положение камеры.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
</context>
<context>
    <name>CChannelWidget</name>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation>CH1</translation>
    </message>
    <message>
        <source>CH2</source>
        <translation>CH2</translation>
    </message>
    <message>
        <source>CH3</source>
        <translation>CH3</translation>
    </message>
    <message>
        <source>CH4</source>
        <translation>CH4</translation>
    </message>
    <message>
        <source>CH5</source>
        <translation>CH5</translation>
    </message>
    <message>
        <source>CH6</source>
        <translation>CH6</translation>
    </message>
    <message>
        <source>CH7</source>
        <translation>CH7</translation>
    </message>
    <message>
        <source>CH8</source>
        <translation>CH8</translation>
    </message>
    <message>
        <source>CH9</source>
        <translation>CH9</translation>
    </message>
    <message>
        <source>CH10</source>
        <translation>CH10</translation>
    </message>
    <message>
        <source>CH11</source>
        <translation>CH11</translation>
    </message>
    <message>
        <source>CH12</source>
        <translation>CH12</translation>
    </message>
    <message>
        <source>CH13</source>
        <translation>CH13</translation>
    </message>
    <message>
        <source>CH14</source>
        <translation>CH14</translation>
    </message>
    <message>
        <source>CH15</source>
        <translation>CH15</translation>
    </message>
    <message>
        <source>CH16</source>
        <translation>CH16</translation>
    </message>
</context>
<context>
    <name>CConnectDVR</name>
    <message>
        <source>The recording of &quot;%1&quot; ended before you stopped it. The files written so far are in &quot;%2&quot;.</source>
        <translation>Запись &quot;%1&quot; остановилась раньше, чем вы её остановили. Записанные до сих пор файлы находятся в &quot;%2&quot;.</translation>
    </message>
</context>
<context>
    <name>CDVRInfoWidget</name>
    <message>
        <source>Information</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>Сведения о регистраторе</translation>
    </message>
    <message>
        <source>Reading the DVR information...</source>
        <translation>Чтение сведений о регистраторе...</translation>
    </message>
    <message>
        <source>No information was received from the DVR.</source>
        <translation>Регистратор не передал сведения.</translation>
    </message>
    <message>
        <source>%1 ( %2:%3 )</source>
        <translation>%1 ( %2:%3 )</translation>
    </message>
</context>
<context>
    <name>CDVRListTree</name>
    <message>
        <source>Camera %1</source>
        <translation>Камера %1</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>Добавить группу</translation>
    </message>
    <message>
        <source>Group Name</source>
        <translation>Имя группы</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Изменить группу</translation>
    </message>
    <message>
        <source>Do you want to delete the group &quot;%1&quot; and its DVRs?</source>
        <translation>Удалить группу «%1» вместе с её регистраторами?</translation>
    </message>
    <message>
        <source>Do you want to delete the DVR &quot;%1&quot;?</source>
        <translation>Удалить регистратор «%1»?</translation>
    </message>
    <message>
        <source>The DVR list file was damaged. Read from it: %1 groups and %2 DVRs. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>Файл списка DVR был повреждён. Прочитано: групп — %1, DVR — %2. Повреждённый файл сохранён как &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>The DVR list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>Не удалось прочитать файл списка DVR &quot;%1&quot; (%2). Вместо него показан список по умолчанию; ничего не перезаписано.</translation>
    </message>
    <message>
        <source>The DVR list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>Файл списка DVR, который не удалось прочитать при запуске, сохранён как &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The DVR list could not be saved (%1).</source>
        <translation>Не удалось сохранить список регистраторов (%1).</translation>
    </message>
    <message>
        <source>The DVR list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>Файл списка DVR был изменён извне после того, как эта программа в последний раз прочитала или сохранила его. Эта версия сохранена как &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>CEMapList</name>
    <message>
        <source>Modify group name</source>
        <translation>Изменить имя группы</translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation>Имя группы:</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map group?</source>
        <translation>Удалить выбранную группу карт?</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map?</source>
        <translation>Удалить выбранную карту?</translation>
    </message>
    <message>
        <source>The e-map list file was damaged. Read from it: %1 groups and %2 maps. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>Файл списка карт был повреждён. Прочитано: групп — %1, карт — %2. Повреждённый файл сохранён как &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>The e-map list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>Не удалось прочитать файл списка карт &quot;%1&quot; (%2). Вместо него показан список по умолчанию; ничего не перезаписано.</translation>
    </message>
    <message>
        <source>The e-map list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>Файл списка карт, который не удалось прочитать при запуске, сохранён как &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The e-map list could not be saved (%1).</source>
        <translation>Не удалось сохранить список карт (%1).</translation>
    </message>
    <message>
        <source>The e-map list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>Файл списка карт был изменён извне после того, как эта программа в последний раз прочитала или сохранила его. Эта версия сохранена как &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>CEMapMenu</name>
    <message>
        <source>Add EMap</source>
        <translation>Добавить карту</translation>
    </message>
    <message>
        <source>Edit EMap</source>
        <translation>Изменить карту</translation>
    </message>
    <message>
        <source>Delete EMap</source>
        <translation>Удалить карту</translation>
    </message>
</context>
<context>
    <name>CEMapSetupDialog</name>
    <message>
        <source>EMap Setup</source>
        <translation>Настройка карт</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>Автопоказ</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Вкл.</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>Автоскрытие</translation>
    </message>
    <message>
        <source>Image Size</source>
        <translation>Размер изображения</translation>
    </message>
    <message>
        <source>Adjust</source>
        <translation>По размеру</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Исходный</translation>
    </message>
</context>
<context>
    <name>CEMapWidget</name>
    <message>
        <source>CEMapWidget</source>
        <translation>CEMapWidget</translation>
    </message>
    <message>
        <source>Please confirm the dvr information.</source>
        <translation>Проверьте данные регистратора.</translation>
    </message>
    <message>
        <source>The camera is in the emap.</source>
        <translation>Камера уже есть на карте.</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Удалить все</translation>
    </message>
</context>
<context>
    <name>CEventSound</name>
    <message>
        <source>The alarm cannot sound: its sound cannot be read.</source>
        <translation>Сигнал тревоги не может прозвучать: не удаётся прочитать его звук.</translation>
    </message>
    <message>
        <source>The alarm cannot sound: the sound output does not answer.</source>
        <translation>Сигнал тревоги не может прозвучать: звуковой выход не отвечает.</translation>
    </message>
</context>
<context>
    <name>CHDDWidget</name>
    <message>
        <source>CHDDWidget</source>
        <translation>CHDDWidget</translation>
    </message>
    <message>
        <source>HDD</source>
        <translation>Диск</translation>
    </message>
    <message>
        <source>Total Space : </source>
        <translation>Всего : </translation>
    </message>
    <message>
        <source>Used Space : </source>
        <translation>Занято : </translation>
    </message>
    <message>
        <source>Free Space : </source>
        <translation>Свободно : </translation>
    </message>
    <message>
        <source>HDD %1</source>
        <translation>Диск %1</translation>
    </message>
</context>
<context>
    <name>CHttpConnect</name>
    <message>
        <source>[ERROR]user unknown</source>
        <translation>[ОШИБКА]неизвестный пользователь</translation>
    </message>
    <message>
        <source>[ERROR]password miss</source>
        <translation>[ОШИБКА]неверный пароль</translation>
    </message>
    <message>
        <source>[ERROR]protocol version</source>
        <translation>[ОШИБКА]несовместимая версия протокола</translation>
    </message>
    <message>
        <source>[ERROR]client limit</source>
        <translation>[ОШИБКА]превышено число клиентов</translation>
    </message>
    <message>
        <source>[ERROR]super exist</source>
        <translation>[ОШИБКА]администратор уже подключён</translation>
    </message>
    <message>
        <source>[ERROR]no video data</source>
        <translation>[ОШИБКА]нет видеоданных</translation>
    </message>
    <message>
        <source>[ERROR]no video channel</source>
        <translation>[ОШИБКА]нет видеоканала</translation>
    </message>
    <message>
        <source>[ERROR]mpeg push end</source>
        <translation>[ОШИБКА]передача потока завершена</translation>
    </message>
    <message>
        <source>[ERROR]connection timeout</source>
        <translation>[ОШИБКА]тайм-аут подключения</translation>
    </message>
    <message>
        <source>[ERROR]unknown</source>
        <translation>[ОШИБКА]неизвестная</translation>
    </message>
    <message>
        <source>[ERROR]permission denied</source>
        <translation>[ОШИБКА]доступ запрещён</translation>
    </message>
    <message>
        <source>[ERROR]network timeout</source>
        <translation>[ОШИБКА]тайм-аут сети</translation>
    </message>
    <message>
        <source>[ERROR]request refused</source>
        <translation>[ОШИБКА]запрос отклонён</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Ошибка подключения</translation>
    </message>
    <message>
        <source>There is no more backup data. Or Connection failed</source>
        <translation>Данных для резервного копирования больше нет, или подключение прервано</translation>
    </message>
    <message>
        <source>The backup is complete.</source>
        <translation>Резервное копирование завершено.</translation>
    </message>
    <message>
        <source>Waiting for the DVR to end the last stream</source>
        <translation>Ожидание завершения предыдущего потока видеорегистратором</translation>
    </message>
</context>
<context>
    <name>CInfoWidget</name>
    <message>
        <source>CInfoWidget</source>
        <translation>CInfoWidget</translation>
    </message>
    <message>
        <source>System Information</source>
        <translation>Сведения о системе</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Модель</translation>
    </message>
    <message>
        <source>H/W Version</source>
        <translation>Версия оборудования</translation>
    </message>
    <message>
        <source>Kernel Version</source>
        <translation>Версия ядра</translation>
    </message>
    <message>
        <source>Ramdisk Version</source>
        <translation>Версия ramdisk</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC-адрес</translation>
    </message>
    <message>
        <source>HDD Information</source>
        <translation>Сведения о дисках</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>Сведения о регистраторе</translation>
    </message>
</context>
<context>
    <name>CLiveCtrlWidget</name>
    <message>
        <source>CLiveCtrlWidget</source>
        <translation>CLiveCtrlWidget</translation>
    </message>
    <message>
        <source>PTZ</source>
        <translation>PTZ</translation>
    </message>
    <message>
        <source>Auto Preset</source>
        <translation>Патрулирование</translation>
    </message>
    <message>
        <source>Rem. Port</source>
        <translation>Выход реле</translation>
    </message>
    <message>
        <source>Picture ctrl</source>
        <translation>Изображение</translation>
    </message>
</context>
<context>
    <name>CLogWidget</name>
    <message>
        <source>CLogWidget</source>
        <translation>CLogWidget</translation>
    </message>
    <message>
        <source>System Log</source>
        <translation>Системный журнал</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Пользователь</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Событие</translation>
    </message>
</context>
<context>
    <name>CLogin</name>
    <message>
        <source>Login</source>
        <translation>Вход</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Логин</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
</context>
<context>
    <name>CMenuDVRList</name>
    <message>
        <source>Connect</source>
        <translation>Подключить</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Отключить</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>Добавить группу</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Изменить группу</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>Удалить группу</translation>
    </message>
    <message>
        <source>Add DVR</source>
        <translation>Добавить регистратор</translation>
    </message>
    <message>
        <source>Edit DVR</source>
        <translation>Изменить регистратор</translation>
    </message>
    <message>
        <source>Delete DVR</source>
        <translation>Удалить регистратор</translation>
    </message>
</context>
<context>
    <name>CModelInfoDialog</name>
    <message>
        <source>Model Info</source>
        <translation>Сведения о модели</translation>
    </message>
    <message>
        <source>DVR Channels :</source>
        <translation>Каналы :</translation>
    </message>
    <message>
        <source>4 channels</source>
        <translation>4 канала</translation>
    </message>
    <message>
        <source>8 channels</source>
        <translation>8 каналов</translation>
    </message>
    <message>
        <source>16 channels</source>
        <translation>16 каналов</translation>
    </message>
    <message>
        <source>Video Type :</source>
        <translation>Видеостандарт :</translation>
    </message>
    <message>
        <source>NTSC</source>
        <translation>NTSC</translation>
    </message>
    <message>
        <source>PAL</source>
        <translation>PAL</translation>
    </message>
    <message>
        <source>DVR Model :</source>
        <translation>Модель :</translation>
    </message>
</context>
<context>
    <name>CMotionZoneDialog</name>
    <message>
        <source>Motion Zone</source>
        <translation>Зона детекции</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Выделение</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
</context>
<context>
    <name>CPCInfoPage</name>
    <message>
        <source>PC Information</source>
        <translation>Сведения о ПК</translation>
    </message>
    <message>
        <source>Local Drive</source>
        <translation>Локальный диск</translation>
    </message>
    <message>
        <source>Record Folder</source>
        <translation>Папка записи</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Диск</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Неизвестно</translation>
    </message>
</context>
<context>
    <name>CPCSetupDialog</name>
    <message>
        <source>PC Setup</source>
        <translation>Настройки ПК</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>PC Information</source>
        <translation>Сведения о ПК</translation>
    </message>
</context>
<context>
    <name>CPCSetupPage</name>
    <message>
        <source>PC Setup</source>
        <translation>Настройки ПК</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Sequence Interval (sec)</source>
        <translation>Автопереключение (с)</translation>
    </message>
    <message>
        <source>Live View</source>
        <translation>Просмотр</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>Поток</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Звук</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Переподключение</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>On-Screen Display</source>
        <translation>Экранные надписи</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>Имя камеры</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>События</translation>
    </message>
    <message>
        <source>Alarm Sound</source>
        <translation>Звук тревоги</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Папки</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Снимок</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Резерв. копия</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Файлы</translation>
    </message>
    <message>
        <source>Record File Format</source>
        <translation>Формат записи</translation>
    </message>
    <message>
        <source>Capture File Format</source>
        <translation>Формат снимков</translation>
    </message>
    <message>
        <source>Playback Mode</source>
        <translation>Режим воспроизведения</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Вкл.</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Значок</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Рамка</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Основной</translation>
    </message>
    <message>
        <source>Sub</source>
        <translation>Дополнительный</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Авто</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Непрерывно</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Пропуск</translation>
    </message>
    <message>
        <source>OpenGL(High PC)</source>
        <translation>OpenGL (мощный ПК)</translation>
    </message>
    <message>
        <source>OpenGL(Low PC)</source>
        <translation>OpenGL (слабый ПК)</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Выберите папку.</translation>
    </message>
</context>
<context>
    <name>CPictureWidget</name>
    <message>
        <source>CPictureWidget</source>
        <translation>CPictureWidget</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Контрастность</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Яркость</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Насыщенность</translation>
    </message>
    <message>
        <source>H.Sharpness</source>
        <translation>Резкость гор.</translation>
    </message>
    <message>
        <source>V.Sharpness</source>
        <translation>Резкость верт.</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
</context>
<context>
    <name>CPlaybackFile</name>
    <message>
        <source>Damaged file: %1</source>
        <translation>Повреждённый файл: %1</translation>
    </message>
    <message>
        <source>Missing file: %1</source>
        <translation>Отсутствует файл: %1</translation>
    </message>
    <message>
        <source>No recording at this time</source>
        <translation>Нет записи на это время</translation>
    </message>
    <message>
        <source>End of the recordings</source>
        <translation>Конец записей</translation>
    </message>
</context>
<context>
    <name>CProgressDialog</name>
    <message>
        <source>Upgrading</source>
        <translation>Обновление</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Прервать</translation>
    </message>
</context>
<context>
    <name>CPtzfWidget</name>
    <message>
        <source>CPtzfWidget</source>
        <translation>CPtzfWidget</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Зум</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Фокус</translation>
    </message>
    <message>
        <source>Iris</source>
        <translation>Диафрагма</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Задать</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Перейти</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Медленно</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Нормально</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Быстро</translation>
    </message>
    <message>
        <source>Very Fast</source>
        <translation>Очень быстро</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>Пресет %1</translation>
    </message>
</context>
<context>
    <name>CRecord</name>
    <message>
        <source>The folder cannot be written: %1</source>
        <translation>Нет доступа на запись в папку: %1</translation>
    </message>
    <message>
        <source>Recording stopped: %1</source>
        <translation>Запись остановлена: %1</translation>
    </message>
</context>
<context>
    <name>CRemotePortWiget</name>
    <message>
        <source>CRemotePortWiget</source>
        <translation>CRemotePortWiget</translation>
    </message>
    <message>
        <source>Auto off :</source>
        <translation>Автовыкл. :</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>20</source>
        <translation>20</translation>
    </message>
    <message>
        <source>30</source>
        <translation>30</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>Реле</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Авто</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Вкл.</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
</context>
<context>
    <name>CSearchWidget</name>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Поиск...</translation>
    </message>
    <message>
        <source>No search data was received from the DVR.</source>
        <translation>Регистратор не передал результаты поиска.</translation>
    </message>
    <message>
        <source>No recordings.</source>
        <translation>Записей нет.</translation>
    </message>
    <message>
        <source>Files not read: %1</source>
        <translation>Не прочитаны файлы: %1</translation>
    </message>
    <message>
        <source>Recorded minutes whose files are missing: %1</source>
        <translation>Записанные минуты без файлов: %1</translation>
    </message>
</context>
<context>
    <name>CSendDVRInfoWidget</name>
    <message>
        <source>DVR</source>
        <translation>Регистратор</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Admin Password</source>
        <translation>Пароль администратора</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Заполните все поля.</translation>
    </message>
</context>
<context>
    <name>CSeqWidget</name>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Каналы</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation>CH1</translation>
    </message>
    <message>
        <source>CH2</source>
        <translation>CH2</translation>
    </message>
    <message>
        <source>CH3</source>
        <translation>CH3</translation>
    </message>
    <message>
        <source>CH4</source>
        <translation>CH4</translation>
    </message>
    <message>
        <source>CH5</source>
        <translation>CH5</translation>
    </message>
    <message>
        <source>CH6</source>
        <translation>CH6</translation>
    </message>
    <message>
        <source>CH7</source>
        <translation>CH7</translation>
    </message>
    <message>
        <source>CH8</source>
        <translation>CH8</translation>
    </message>
    <message>
        <source>CH9</source>
        <translation>CH9</translation>
    </message>
    <message>
        <source>CH10</source>
        <translation>CH10</translation>
    </message>
    <message>
        <source>CH11</source>
        <translation>CH11</translation>
    </message>
    <message>
        <source>CH12</source>
        <translation>CH12</translation>
    </message>
    <message>
        <source>CH13</source>
        <translation>CH13</translation>
    </message>
    <message>
        <source>CH14</source>
        <translation>CH14</translation>
    </message>
    <message>
        <source>CH15</source>
        <translation>CH15</translation>
    </message>
    <message>
        <source>CH16</source>
        <translation>CH16</translation>
    </message>
    <message>
        <source>M1-4</source>
        <translation>M1-4</translation>
    </message>
    <message>
        <source>M5-8</source>
        <translation>M5-8</translation>
    </message>
    <message>
        <source>M9-12</source>
        <translation>M9-12</translation>
    </message>
    <message>
        <source>M13-16</source>
        <translation>M13-16</translation>
    </message>
    <message>
        <source>M1-9</source>
        <translation>M1-9</translation>
    </message>
    <message>
        <source>M8-16</source>
        <translation>M8-16</translation>
    </message>
    <message>
        <source>M1-16</source>
        <translation>M1-16</translation>
    </message>
    <message>
        <source>Dwell Time</source>
        <translation>Время показа</translation>
    </message>
    <message>
        <source>M1-8</source>
        <translation>M1-8</translation>
    </message>
</context>
<context>
    <name>CSetDVRInfoDialog</name>
    <message>
        <source>DVR</source>
        <translation>Регистратор</translation>
    </message>
    <message>
        <source>DVR Name</source>
        <translation>Имя регистратора</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Логин</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Каналы</translation>
    </message>
    <message>
        <source>View Channels</source>
        <translation>Отображаемые каналы</translation>
    </message>
    <message>
        <source>Old protocol</source>
        <translation>Старый протокол</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Заполните все поля.</translation>
    </message>
</context>
<context>
    <name>CSetEMapInfoDialog</name>
    <message>
        <source>EMap Info</source>
        <translation>Сведения о карте</translation>
    </message>
    <message>
        <source>Group Name :</source>
        <translation>Имя группы :</translation>
    </message>
    <message>
        <source>EMap Name :</source>
        <translation>Имя карты :</translation>
    </message>
    <message>
        <source>Image Path :</source>
        <translation>Путь к изображению :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Заполните все поля.</translation>
    </message>
    <message>
        <source>Select a Image file</source>
        <translation>Выберите файл изображения</translation>
    </message>
</context>
<context>
    <name>CSetupAccount</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Admin</source>
        <translation>Администратор</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Пользователь</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation>CH1</translation>
    </message>
    <message>
        <source>CH2</source>
        <translation>CH2</translation>
    </message>
    <message>
        <source>CH3</source>
        <translation>CH3</translation>
    </message>
    <message>
        <source>CH4</source>
        <translation>CH4</translation>
    </message>
    <message>
        <source>CH5</source>
        <translation>CH5</translation>
    </message>
    <message>
        <source>CH6</source>
        <translation>CH6</translation>
    </message>
    <message>
        <source>CH7</source>
        <translation>CH7</translation>
    </message>
    <message>
        <source>CH8</source>
        <translation>CH8</translation>
    </message>
    <message>
        <source>CH9</source>
        <translation>CH9</translation>
    </message>
    <message>
        <source>CH10</source>
        <translation>CH10</translation>
    </message>
    <message>
        <source>CH11</source>
        <translation>CH11</translation>
    </message>
    <message>
        <source>CH12</source>
        <translation>CH12</translation>
    </message>
    <message>
        <source>CH13</source>
        <translation>CH13</translation>
    </message>
    <message>
        <source>CH14</source>
        <translation>CH14</translation>
    </message>
    <message>
        <source>CH15</source>
        <translation>CH15</translation>
    </message>
    <message>
        <source>CH16</source>
        <translation>CH16</translation>
    </message>
    <message>
        <source>ALL</source>
        <translation>ВСЕ</translation>
    </message>
    <message>
        <source>PTZF Control</source>
        <translation>Управление PTZF</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Вкл.</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Воспроизведение</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Резерв. копия</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Сеть</translation>
    </message>
    <message>
        <source>Network Timeout</source>
        <translation>Тайм-аут сети</translation>
    </message>
    <message>
        <source>Network Prohibition</source>
        <translation>Запрет сети</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>Час начала</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>Час окончания</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Log off</source>
        <translation>Выход из системы</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Авто</translation>
    </message>
    <message>
        <source>Wait time</source>
        <translation>Время ожидания</translation>
    </message>
    <message>
        <source>Can&apos;t add same user.</source>
        <translation>Такой пользователь уже есть.</translation>
    </message>
    <message>
        <source>Another user already has this name.</source>
        <translation>Это имя уже занято другим пользователем.</translation>
    </message>
</context>
<context>
    <name>CSetupCamera</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Названия</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>CH-1</source>
        <translation>CH-1</translation>
    </message>
    <message>
        <source>CH-2</source>
        <translation>CH-2</translation>
    </message>
    <message>
        <source>CH-3</source>
        <translation>CH-3</translation>
    </message>
    <message>
        <source>CH-4</source>
        <translation>CH-4</translation>
    </message>
    <message>
        <source>CH-5</source>
        <translation>CH-5</translation>
    </message>
    <message>
        <source>CH-6</source>
        <translation>CH-6</translation>
    </message>
    <message>
        <source>CH-7</source>
        <translation>CH-7</translation>
    </message>
    <message>
        <source>CH-8</source>
        <translation>CH-8</translation>
    </message>
    <message>
        <source>CH-9</source>
        <translation>CH-9</translation>
    </message>
    <message>
        <source>CH-10</source>
        <translation>CH-10</translation>
    </message>
    <message>
        <source>CH-11</source>
        <translation>CH-11</translation>
    </message>
    <message>
        <source>CH-12</source>
        <translation>CH-12</translation>
    </message>
    <message>
        <source>CH-13</source>
        <translation>CH-13</translation>
    </message>
    <message>
        <source>CH-14</source>
        <translation>CH-14</translation>
    </message>
    <message>
        <source>CH-15</source>
        <translation>CH-15</translation>
    </message>
    <message>
        <source>CH-16</source>
        <translation>CH-16</translation>
    </message>
    <message>
        <source>Covert</source>
        <translation>Скрытая</translation>
    </message>
    <message>
        <source>PTZ</source>
        <translation>PTZ</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Модель</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Reverse Control</source>
        <translation>Инверсия</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>Поворот</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Вкл.</translation>
    </message>
    <message>
        <source>Tilt</source>
        <translation>Наклон</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Зум</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Фокус</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Скорость (бод)</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Резкость</translation>
    </message>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Автопереключение</translation>
    </message>
    <message>
        <source>SPOT</source>
        <translation>SPOT</translation>
    </message>
    <message>
        <source>Spot</source>
        <translation>Spot</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Режим</translation>
    </message>
</context>
<context>
    <name>CSetupEtc</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Time &amp; Date</source>
        <translation>Дата и время</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Set to PC time</source>
        <translation>Время ПК</translation>
    </message>
    <message>
        <source>Apply to DVR</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>CSetupEvent</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Движение</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>Чувствительность</translation>
    </message>
    <message>
        <source>Detection Zone</source>
        <translation>Зона детекции</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>Автопоказ</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Вкл.</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>Автоскрытие</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Датчик</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Тип</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Привязка</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>Реле</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>Сбой записи</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>Предупр. записи</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <source>E-Mail Address</source>
        <translation>Адрес эл. почты</translation>
    </message>
    <message>
        <source>Receiver Address</source>
        <translation>Адрес получателя</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>Sender Address</source>
        <translation>Адрес отправителя</translation>
    </message>
    <message>
        <source>SMTP</source>
        <translation>SMTP</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>Аутентификация</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Логин</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>SSL</source>
        <translation>SSL</translation>
    </message>
    <message>
        <source>MIME</source>
        <translation>MIME</translation>
    </message>
    <message>
        <source>E-Mail Transfer Settings</source>
        <translation>Параметры отправки</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Период</translation>
    </message>
    <message>
        <source>Prohibition</source>
        <translation>Запрет</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>Час начала</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>Час окончания</translation>
    </message>
    <message>
        <source>E-Mail Transfer Contents</source>
        <translation>Содержимое писем</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>Потеря видео</translation>
    </message>
    <message>
        <source>Record Status</source>
        <translation>Состояние записи</translation>
    </message>
    <message>
        <source>System Access</source>
        <translation>Доступ к системе</translation>
    </message>
    <message>
        <source>Record Time</source>
        <translation>Время записи</translation>
    </message>
    <message>
        <source>Post Alarm Record</source>
        <translation>Запись после тревоги</translation>
    </message>
</context>
<context>
    <name>CSetupHdd</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Режим</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Write Mode</source>
        <translation>Режим перезаписи</translation>
    </message>
    <message>
        <source>Force Deletion</source>
        <translation>Принуд. удаление</translation>
    </message>
    <message>
        <source>S.M.A.R.T.</source>
        <translation>S.M.A.R.T.</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Вкл.</translation>
    </message>
    <message>
        <source>Check Interval</source>
        <translation>Интервал проверки</translation>
    </message>
    <message>
        <source>ONCE</source>
        <translation>ОДНОКРАТНО</translation>
    </message>
    <message>
        <source>OVERWRITE</source>
        <translation>ПЕРЕЗАПИСЬ</translation>
    </message>
</context>
<context>
    <name>CSetupNetwork</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>TCP/IP</source>
        <translation>TCP/IP</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Тип</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>BW Limitation</source>
        <translation>Ограничение полосы</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP-адрес</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Маска подсети</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Шлюз</translation>
    </message>
    <message>
        <source>DNS IP</source>
        <translation>IP DNS</translation>
    </message>
    <message>
        <source>UPNP</source>
        <translation>UPNP</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Вкл.</translation>
    </message>
    <message>
        <source>DDNS Link</source>
        <translation>Подключение DDNS</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Логин</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>DDNS</source>
        <translation>DDNS</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>Имя хоста</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>Поток</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Качество</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Подтверждение</translation>
    </message>
    <message>
        <source>Apply network TCP/IP &amp;&amp; DDNS configuration</source>
        <translation>Применить настройки TCP/IP и DDNS</translation>
    </message>
</context>
<context>
    <name>CSetupRecord</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Разрешение</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Качество</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Режим</translation>
    </message>
    <message>
        <source>Event Quality</source>
        <translation>Качество (событие)</translation>
    </message>
    <message>
        <source>Event FPS</source>
        <translation>FPS (событие)</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>Расписание</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Вручную</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Непрерывно</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Движение</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Датчик</translation>
    </message>
    <message>
        <source>Motion + Sensor</source>
        <translation>Движ. + датчик</translation>
    </message>
    <message>
        <source>Cont. + Event</source>
        <translation>Непр. + событие</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Номер</translation>
    </message>
    <message>
        <source>Etc.</source>
        <translation>Прочее</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Звук</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Вкл.</translation>
    </message>
    <message>
        <source>Time Overlay</source>
        <translation>Наложение времени</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Воспроизведение</translation>
    </message>
    <message>
        <source>Starting Point</source>
        <translation>Начальная точка</translation>
    </message>
    <message>
        <source>SUN</source>
        <translation>ВС</translation>
    </message>
    <message>
        <source>MON</source>
        <translation>ПН</translation>
    </message>
    <message>
        <source>TUE</source>
        <translation>ВТ</translation>
    </message>
    <message>
        <source>WED</source>
        <translation>СР</translation>
    </message>
    <message>
        <source>THU</source>
        <translation>ЧТ</translation>
    </message>
    <message>
        <source>FRI</source>
        <translation>ПТ</translation>
    </message>
    <message>
        <source>SAT</source>
        <translation>СБ</translation>
    </message>
    <message>
        <source> 25 %</source>
        <translation> 25 %</translation>
    </message>
    <message>
        <source> 50 %</source>
        <translation> 50 %</translation>
    </message>
    <message>
        <source>100 %</source>
        <translation>100 %</translation>
    </message>
</context>
<context>
    <name>CSetupSystem</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Name &amp; ID</source>
        <translation>Имя и ID</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Time &amp; Date</source>
        <translation>Дата и время</translation>
    </message>
    <message>
        <source>Time Format</source>
        <translation>Формат времени</translation>
    </message>
    <message>
        <source>Date Format</source>
        <translation>Формат даты</translation>
    </message>
    <message>
        <source>Timezone</source>
        <translation>Часовой пояс</translation>
    </message>
    <message>
        <source>NTP</source>
        <translation>NTP</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Вкл.</translation>
    </message>
    <message>
        <source>NTP Address</source>
        <translation>Сервер NTP</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Зуммер</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Датчик</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Движение</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>Потеря видео</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>Сбой записи</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>Предупр. записи</translation>
    </message>
    <message>
        <source>Auto Reboot</source>
        <translation>Автоперезагрузка</translation>
    </message>
    <message>
        <source>Day</source>
        <comment>day of week</comment>
        <translation>День</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Отображение</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>Имя камеры</translation>
    </message>
    <message>
        <source>Record Icon</source>
        <translation>Значок записи</translation>
    </message>
    <message>
        <source>Motion Icon</source>
        <translation>Значок движения</translation>
    </message>
    <message>
        <source>Sensor Icon</source>
        <translation>Значок датчика</translation>
    </message>
    <message>
        <source>Task Bar</source>
        <translation>Панель задач</translation>
    </message>
    <message>
        <source>VGA Mode</source>
        <translation>Режим VGA</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Воскресенье</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Понедельник</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Вторник</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Среда</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Четверг</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Пятница</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Суббота</translation>
    </message>
    <message>
        <source>Everyday</source>
        <translation>Ежедневно</translation>
    </message>
</context>
<context>
    <name>CSetupWidget</name>
    <message>
        <source>System</source>
        <translation>Система</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Сеть</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>HDD</source>
        <translation>Диск</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>События</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Учётные записи</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Камера</translation>
    </message>
    <message>
        <source>The DVR configuration is of an unknown model (%1).</source>
        <translation>Конфигурация относится к неизвестной модели (%1).</translation>
    </message>
    <message>
        <source>The configuration of a DVR on the old protocol cannot be read.</source>
        <translation>Конфигурацию регистратора со старым протоколом прочитать нельзя.</translation>
    </message>
    <message>
        <source>The DVR configuration could not be read.</source>
        <translation>Не удалось прочитать конфигурацию регистратора.</translation>
    </message>
    <message>
        <source>The admin password must not be empty.</source>
        <translation>Пароль администратора не может быть пустым.</translation>
    </message>
    <message>
        <source>No configuration was read from the DVR. Send the default settings anyway?</source>
        <translation>Конфигурация с регистратора не прочитана. Всё равно отправить настройки по умолчанию?</translation>
    </message>
    <message>
        <source>The transmission error occurred!</source>
        <translation>Ошибка передачи!</translation>
    </message>
    <message>
        <source>The DVR configuration is correctly transfered!</source>
        <translation>Конфигурация успешно передана на регистратор!</translation>
    </message>
    <message>
        <source>Please select a configuration file.</source>
        <translation>Выберите файл конфигурации.</translation>
    </message>
    <message>
        <source>Configs (*.conf)</source>
        <translation>Конфигурации (*.conf)</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened.</source>
        <translation>Не удаётся открыть файл %1.</translation>
    </message>
    <message>
        <source>The file %1 is not a DVR configuration.</source>
        <translation>Файл %1 не является конфигурацией регистратора.</translation>
    </message>
    <message>
        <source>The file name must end with &quot;.conf&quot;.</source>
        <translation>Имя файла должно оканчиваться на «.conf».</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>Не удаётся записать файл %1.</translation>
    </message>
</context>
<context>
    <name>CTimeLine</name>
    <message>
        <source>Hour</source>
        <translation>Час</translation>
    </message>
</context>
<context>
    <name>CUpgrade</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>S/W Upgrade</source>
        <translation>Обновление ПО</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Тип</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Обновление</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Выбор файла</translation>
    </message>
    <message>
        <source>All files(*.*)</source>
        <translation>Все файлы(*.*)</translation>
    </message>
    <message>
        <source>The upgrade is failed!</source>
        <translation>Обновление не удалось!</translation>
    </message>
    <message>
        <source>The upgrade is completed!</source>
        <translation>Обновление завершено!</translation>
    </message>
</context>
<context>
    <name>CWaitDialog</name>
    <message>
        <source>Please wait a minute.</source>
        <translation>Подождите...</translation>
    </message>
</context>
<context>
    <name>PbButtons</name>
    <message>
        <source>Reverse</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Воспроизведение</translation>
    </message>
    <message>
        <source>Step reverse</source>
        <translation>Кадр назад</translation>
    </message>
    <message>
        <source>Step forward</source>
        <translation>Кадр вперёд</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Медленнее</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Быстрее</translation>
    </message>
</context>
<context>
    <name>UpLoader</name>
    <message>
        <source>Error: can&apos;t open file %1</source>
        <translation>Ошибка: не удаётся открыть файл %1</translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation>Ошибка сети: %1</translation>
    </message>
</context>
<context>
    <name>Viewer</name>
    <message>
        <source>Save File</source>
        <translation>Сохранить файл</translation>
    </message>
    <message>
        <source>Text files(*.txt)</source>
        <translation>Текстовые файлы(*.txt)</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>Не удаётся записать файл %1:
%2.</translation>
    </message>
    <message>
        <source>File saved</source>
        <translation>Файл сохранён</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Выберите папку.</translation>
    </message>
    <message>
        <source>The image has been saved.</source>
        <translation>Снимок сохранён.</translation>
    </message>
    <message>
        <source>The image could not be saved.</source>
        <translation>Не удалось сохранить снимок.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Открыть файл</translation>
    </message>
    <message>
        <source>Capture Images (*.png *.jpg)</source>
        <translation>Снимки (*.png *.jpg)</translation>
    </message>
    <message>
        <source>The backup ended before its end time. The files written so far are in &quot;%1&quot;.</source>
        <translation>Резервное копирование закончилось раньше времени окончания. Записанные к этому моменту файлы находятся в &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The changes to the DVR list are not saved (%1).</source>
        <translation>Изменения списка регистраторов не сохранены (%1).</translation>
    </message>
    <message>
        <source>The changes to the e-map list are not saved (%1).</source>
        <translation>Изменения списка карт не сохранены (%1).</translation>
    </message>
    <message>
        <source>Close the program all the same? These changes are lost then.</source>
        <translation>Всё равно закрыть программу? Тогда эти изменения будут потеряны.</translation>
    </message>
    <message>
        <source>another mode was chosen</source>
        <translation>был выбран другой режим</translation>
    </message>
</context>
<context>
    <name>ViewerClass</name>
    <message>
        <source>Live S</source>
        <translation>Просмотр</translation>
    </message>
    <message>
        <source>Live M</source>
        <translation>Мультиэкран</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Архив</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Резерв. копия</translation>
    </message>
    <message>
        <source>E-Map</source>
        <translation>Карта</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Конфигурация</translation>
    </message>
    <message>
        <source>PC Setup</source>
        <translation>Настройки ПК</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Просмотр</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Правка</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Setup Model</source>
        <translation>Выбор модели</translation>
    </message>
    <message>
        <source>Load Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Перечитать</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Apply All</source>
        <translation>Применить все</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Обновление</translation>
    </message>
    <message>
        <source>Date &amp;&amp; Time</source>
        <translation>Дата и время</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сброс</translation>
    </message>
    <message>
        <source>Digital Zoom</source>
        <translation>Цифровой зум</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Снимок</translation>
    </message>
    <message>
        <source>PC Record</source>
        <translation>Запись на ПК</translation>
    </message>
    <message>
        <source>DVR Record</source>
        <translation>Запись на регистраторе</translation>
    </message>
</context>
</TS>
