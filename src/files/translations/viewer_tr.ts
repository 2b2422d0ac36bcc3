<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="tr_TR" sourcelanguage="en_US">
<context>
    <name>CAutoPresetWidget</name>
    <message>
        <source>CAutoPresetWidget</source>
        <translation>CAutoPresetWidget</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Başlangıç</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Bitiş</translation>
    </message>
    <message>
        <source>Interval(sec)</source>
        <translation>Aralık(sn)</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>Ön ayar %1</translation>
    </message>
</context>
<context>
    <name>CBackupWidget</name>
    <message>
        <source>Start</source>
        <translation>Başlangıç</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Bitiş</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Durdur</translation>
    </message>
    <message>
        <source>Please connect a DVR first.</source>
        <translation>Lütfen önce bir DVR&apos;a bağlanın.</translation>
    </message>
    <message>
        <source>Please select a channel.</source>
        <translation>Lütfen bir kanal seçin.</translation>
    </message>
    <message>
        <source>The end time is before the start time.</source>
        <translation>Bitiş zamanı başlangıç zamanından önce.</translation>
    </message>
</context>
<context>
    <name>CCameraWidget</name>
    <message>
        <source>DVR Name : %1
</source>
        <translation>DVR adı : %1
</translation>
    </message>
    <message>
        <source>Address : %1
</source>
        <translation>Adres : %1
</translation>
    </message>
    <message>
        <source>Port : %1
</source>
        <translation>Port : %1
</translation>
    </message>
    <message>
        <source>User : %1
</source>
        <translation>Kullanıcı : %1
</translation>
    </message>
    <message>
        <source>Camera : %1
</source>
        <translation>Kamera : %1
</translation>
    </message>
    <message>
        <source>Please check the position of the camera.</source>
        <translation>Lütfen kameranın konumunu kontrol edin.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Sil</translation>
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
        <translation>Kanal</translation>
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
        <translation>&quot;%1&quot; kaydı siz durdurmadan önce sona erdi. Şimdiye kadar yazılan dosyalar &quot;%2&quot; içinde.</translation>
    </message>
</context>
<context>
    <name>CDVRInfoWidget</name>
    <message>
        <source>Information</source>
        <translation>Bilgi</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>DVR Bilgileri</translation>
    </message>
    <message>
        <source>Reading the DVR information...</source>
        <translation>DVR bilgileri okunuyor...</translation>
    </message>
    <message>
        <source>No information was received from the DVR.</source>
        <translation>DVR&apos;dan bilgi alınamadı.</translation>
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
        <translation>Kamera %1</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>Grup ekle</translation>
    </message>
    <message>
        <source>Group Name</source>
        <translation>Grup adı</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Grubu düzenle</translation>
    </message>
    <message>
        <source>Do you want to delete the group &quot;%1&quot; and its DVRs?</source>
        <translation>&quot;%1&quot; grubu ve içindeki DVR&apos;lar silinsin mi?</translation>
    </message>
    <message>
        <source>Do you want to delete the DVR &quot;%1&quot;?</source>
        <translation>&quot;%1&quot; adlı DVR silinsin mi?</translation>
    </message>
    <message>
        <source>The DVR list file was damaged. Read from it: %1 groups and %2 DVRs. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>DVR liste dosyası hasarlıydı. Okunan: %1 grup ve %2 DVR. Hasarlı dosya &quot;%3&quot; olarak saklandı.</translation>
    </message>
    <message>
        <source>The DVR list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>DVR liste dosyası &quot;%1&quot; okunamadı (%2). Bunun yerine varsayılan liste gösteriliyor; hiçbir şeyin üzerine yazılmadı.</translation>
    </message>
    <message>
        <source>The DVR list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>Başlangıçta okunamayan DVR liste dosyası &quot;%1&quot; olarak saklandı.</translation>
    </message>
    <message>
        <source>The DVR list could not be saved (%1).</source>
        <translation>DVR listesi kaydedilemedi (%1).</translation>
    </message>
    <message>
        <source>The DVR list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>DVR liste dosyası, bu program onu en son okuduktan veya kaydettikten sonra başka bir yerde değiştirildi. O sürüm &quot;%1&quot; olarak saklandı.</translation>
    </message>
</context>
<context>
    <name>CEMapList</name>
    <message>
        <source>Modify group name</source>
        <translation>Grup adını değiştir</translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation>Grup adı:</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map group?</source>
        <translation>Seçili harita grubu silinsin mi?</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map?</source>
        <translation>Seçili harita silinsin mi?</translation>
    </message>
    <message>
        <source>The e-map list file was damaged. Read from it: %1 groups and %2 maps. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>E-Harita liste dosyası hasarlıydı. Okunan: %1 grup ve %2 harita. Hasarlı dosya &quot;%3&quot; olarak saklandı.</translation>
    </message>
    <message>
        <source>The e-map list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>E-Harita liste dosyası &quot;%1&quot; okunamadı (%2). Bunun yerine varsayılan liste gösteriliyor; hiçbir şeyin üzerine yazılmadı.</translation>
    </message>
    <message>
        <source>The e-map list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>Başlangıçta okunamayan E-Harita liste dosyası &quot;%1&quot; olarak saklandı.</translation>
    </message>
    <message>
        <source>The e-map list could not be saved (%1).</source>
        <translation>E-Harita listesi kaydedilemedi (%1).</translation>
    </message>
    <message>
        <source>The e-map list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>E-Harita liste dosyası, bu program onu en son okuduktan veya kaydettikten sonra başka bir yerde değiştirildi. O sürüm &quot;%1&quot; olarak saklandı.</translation>
    </message>
</context>
<context>
    <name>CEMapMenu</name>
    <message>
        <source>Add EMap</source>
        <translation>E-Harita ekle</translation>
    </message>
    <message>
        <source>Edit EMap</source>
        <translation>E-Haritayı düzenle</translation>
    </message>
    <message>
        <source>Delete EMap</source>
        <translation>E-Haritayı sil</translation>
    </message>
</context>
<context>
    <name>CEMapSetupDialog</name>
    <message>
        <source>EMap Setup</source>
        <translation>E-Harita Ayarları</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>Açılır pencere</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Kapalı</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Açık</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>Kapanma</translation>
    </message>
    <message>
        <source>Image Size</source>
        <translation>Görüntü boyutu</translation>
    </message>
    <message>
        <source>Adjust</source>
        <translation>Sığdır</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Orijinal</translation>
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
        <translation>Lütfen DVR bilgilerini kontrol edin.</translation>
    </message>
    <message>
        <source>The camera is in the emap.</source>
        <translation>Kamera zaten E-Haritada.</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Tümünü sil</translation>
    </message>
</context>
<context>
    <name>CEventSound</name>
    <message>
        <source>The alarm cannot sound: its sound cannot be read.</source>
        <translation>Alarm çalamıyor: sesi okunamıyor.</translation>
    </message>
    <message>
        <source>The alarm cannot sound: the sound output does not answer.</source>
        <translation>Alarm çalamıyor: ses çıkışı yanıt vermiyor.</translation>
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
        <translation>Disk</translation>
    </message>
    <message>
        <source>Total Space : </source>
        <translation>Toplam alan : </translation>
    </message>
    <message>
        <source>Used Space : </source>
        <translation>Kullanılan alan : </translation>
    </message>
    <message>
        <source>Free Space : </source>
        <translation>Boş alan : </translation>
    </message>
    <message>
        <source>HDD %1</source>
        <translation>Disk %1</translation>
    </message>
</context>
<context>
    <name>CHttpConnect</name>
    <message>
        <source>[ERROR]user unknown</source>
        <translation>[HATA]bilinmeyen kullanıcı</translation>
    </message>
    <message>
        <source>[ERROR]password miss</source>
        <translation>[HATA]yanlış şifre</translation>
    </message>
    <message>
        <source>[ERROR]protocol version</source>
        <translation>[HATA]uyumsuz protokol sürümü</translation>
    </message>
    <message>
        <source>[ERROR]client limit</source>
        <translation>[HATA]istemci sınırı aşıldı</translation>
    </message>
    <message>
        <source>[ERROR]super exist</source>
        <translation>[HATA]yönetici zaten bağlı</translation>
    </message>
    <message>
        <source>[ERROR]no video data</source>
        <translation>[HATA]video verisi yok</translation>
    </message>
    <message>
        <source>[ERROR]no video channel</source>
        <translation>[HATA]video kanalı yok</translation>
    </message>
    <message>
        <source>[ERROR]mpeg push end</source>
        <translation>[HATA]akış gönderimi bitti</translation>
    </message>
    <message>
        <source>[ERROR]connection timeout</source>
        <translation>[HATA]bağlantı zaman aşımı</translation>
    </message>
    <message>
        <source>[ERROR]unknown</source>
        <translation>[HATA]bilinmeyen</translation>
    </message>
    <message>
        <source>[ERROR]permission denied</source>
        <translation>[HATA]izin reddedildi</translation>
    </message>
    <message>
        <source>[ERROR]network timeout</source>
        <translation>[HATA]ağ zaman aşımı</translation>
    </message>
    <message>
        <source>[ERROR]request refused</source>
        <translation>[HATA]istek reddedildi</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Bağlantı başarısız</translation>
    </message>
    <message>
        <source>There is no more backup data. Or Connection failed</source>
        <translation>Yedeklenecek başka veri yok veya bağlantı başarısız</translation>
    </message>
    <message>
        <source>The backup is complete.</source>
        <translation>Yedekleme tamamlandı.</translation>
    </message>
    <message>
        <source>Waiting for the DVR to end the last stream</source>
        <translation>DVR&apos;ın son akışı sonlandırması bekleniyor</translation>
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
        <translation>Sistem Bilgileri</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>H/W Version</source>
        <translation>Donanım sürümü</translation>
    </message>
    <message>
        <source>Kernel Version</source>
        <translation>Çekirdek sürümü</translation>
    </message>
    <message>
        <source>Ramdisk Version</source>
        <translation>Ramdisk sürümü</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC adresi</translation>
    </message>
    <message>
        <source>HDD Information</source>
        <translation>Disk Bilgileri</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>DVR Bilgileri</translation>
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
        <translation>Devriye</translation>
    </message>
    <message>
        <source>Rem. Port</source>
        <translation>Röle çıkışı</translation>
    </message>
    <message>
        <source>Picture ctrl</source>
        <translation>Görüntü ayarı</translation>
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
        <translation>Sistem Günlüğü</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Saat</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Kullanıcı</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Olay</translation>
    </message>
</context>
<context>
    <name>CLogin</name>
    <message>
        <source>Login</source>
        <translation>Oturum Aç</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Kullanıcı ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Şifre</translation>
    </message>
</context>
<context>
    <name>CMenuDVRList</name>
    <message>
        <source>Connect</source>
        <translation>Bağlan</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Bağlantıyı kes</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>Grup ekle</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Grubu düzenle</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>Grubu sil</translation>
    </message>
    <message>
        <source>Add DVR</source>
        <translation>DVR ekle</translation>
    </message>
    <message>
        <source>Edit DVR</source>
        <translation>DVR&apos;ı düzenle</translation>
    </message>
    <message>
        <source>Delete DVR</source>
        <translation>DVR&apos;ı sil</translation>
    </message>
</context>
<context>
    <name>CModelInfoDialog</name>
    <message>
        <source>Model Info</source>
        <translation>Model Bilgisi</translation>
    </message>
    <message>
        <source>DVR Channels :</source>
        <translation>DVR kanalları :</translation>
    </message>
    <message>
        <source>4 channels</source>
        <translation>4 kanal</translation>
    </message>
    <message>
        <source>8 channels</source>
        <translation>8 kanal</translation>
    </message>
    <message>
        <source>16 channels</source>
        <translation>16 kanal</translation>
    </message>
    <message>
        <source>Video Type :</source>
        <translation>Video tipi :</translation>
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
        <translation>DVR modeli :</translation>
    </message>
</context>
<context>
    <name>CMotionZoneDialog</name>
    <message>
        <source>Motion Zone</source>
        <translation>Hareket Bölgesi</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Seçim</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Temizle</translation>
    </message>
</context>
<context>
    <name>CPCInfoPage</name>
    <message>
        <source>PC Information</source>
        <translation>PC Bilgileri</translation>
    </message>
    <message>
        <source>Local Drive</source>
        <translation>Yerel sürücü</translation>
    </message>
    <message>
        <source>Record Folder</source>
        <translation>Kayıt klasörü</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Sürücü</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Bilinmiyor</translation>
    </message>
</context>
<context>
    <name>CPCSetupDialog</name>
    <message>
        <source>PC Setup</source>
        <translation>PC Ayarları</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Ayarlar</translation>
    </message>
    <message>
        <source>PC Information</source>
        <translation>PC Bilgileri</translation>
    </message>
</context>
<context>
    <name>CPCSetupPage</name>
    <message>
        <source>PC Setup</source>
        <translation>PC Ayarları</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Genel</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Dil</translation>
    </message>
    <message>
        <source>Sequence Interval (sec)</source>
        <translation>Sıralı geçiş aralığı (sn)</translation>
    </message>
    <message>
        <source>Live View</source>
        <translation>Canlı İzleme</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>Akış</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Ses</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Yeniden bağlan</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>On-Screen Display</source>
        <translation>Ekran Bilgileri</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>Kamera adı</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Kayıt</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Olay</translation>
    </message>
    <message>
        <source>Alarm Sound</source>
        <translation>Alarm sesi</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Klasörler</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Anlık görüntü</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Yedekleme</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dosyalar</translation>
    </message>
    <message>
        <source>Record File Format</source>
        <translation>Kayıt dosya biçimi</translation>
    </message>
    <message>
        <source>Capture File Format</source>
        <translation>Görüntü dosya biçimi</translation>
    </message>
    <message>
        <source>Playback Mode</source>
        <translation>Oynatma modu</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Kapalı</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Açık</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Yok</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Simge</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Çerçeve</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Ana akış</translation>
    </message>
    <message>
        <source>Sub</source>
        <translation>Alt akış</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Otomatik</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Sürekli</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Atla</translation>
    </message>
    <message>
        <source>OpenGL(High PC)</source>
        <translation>OpenGL (güçlü PC)</translation>
    </message>
    <message>
        <source>OpenGL(Low PC)</source>
        <translation>OpenGL (zayıf PC)</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Lütfen bir klasör seçin.</translation>
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
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Parlaklık</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Doygunluk</translation>
    </message>
    <message>
        <source>H.Sharpness</source>
        <translation>Y. Keskinlik</translation>
    </message>
    <message>
        <source>V.Sharpness</source>
        <translation>D. Keskinlik</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Varsayılan</translation>
    </message>
</context>
<context>
    <name>CPlaybackFile</name>
    <message>
        <source>Damaged file: %1</source>
        <translation>Bozuk dosya: %1</translation>
    </message>
    <message>
        <source>Missing file: %1</source>
        <translation>Eksik dosya: %1</translation>
    </message>
    <message>
        <source>No recording at this time</source>
        <translation>Bu saatte kayıt yok</translation>
    </message>
    <message>
        <source>End of the recordings</source>
        <translation>Kayıtların sonu</translation>
    </message>
</context>
<context>
    <name>CProgressDialog</name>
    <message>
        <source>Upgrading</source>
        <translation>Güncelleniyor</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>İptal</translation>
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
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Odak</translation>
    </message>
    <message>
        <source>Iris</source>
        <translation>İris</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Ayarla</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Git</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Yavaş</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Hızlı</translation>
    </message>
    <message>
        <source>Very Fast</source>
        <translation>Çok hızlı</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>Ön ayar %1</translation>
    </message>
</context>
<context>
    <name>CRecord</name>
    <message>
        <source>The folder cannot be written: %1</source>
        <translation>Klasöre yazılamıyor: %1</translation>
    </message>
    <message>
        <source>Recording stopped: %1</source>
        <translation>Kayıt durdu: %1</translation>
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
        <translation>Kapanma :</translation>
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
        <translation>Röle</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Oto</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Açık</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Kapalı</translation>
    </message>
</context>
<context>
    <name>CSearchWidget</name>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Aranıyor...</translation>
    </message>
    <message>
        <source>No search data was received from the DVR.</source>
        <translation>DVR&apos;dan arama verisi alınamadı.</translation>
    </message>
    <message>
        <source>No recordings.</source>
        <translation>Kayıt yok.</translation>
    </message>
    <message>
        <source>Files not read: %1</source>
        <translation>Okunamayan dosyalar: %1</translation>
    </message>
    <message>
        <source>Recorded minutes whose files are missing: %1</source>
        <translation>Dosyaları eksik kayıtlı dakikalar: %1</translation>
    </message>
</context>
<context>
    <name>CSendDVRInfoWidget</name>
    <message>
        <source>DVR</source>
        <translation>DVR</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adres</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Admin Password</source>
        <translation>Yönetici şifresi</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Lütfen tüm alanları doldurun.</translation>
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
        <translation>Kanallar</translation>
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
        <translation>Bekleme süresi</translation>
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
        <translation>DVR</translation>
    </message>
    <message>
        <source>DVR Name</source>
        <translation>DVR adı</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adres</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Kullanıcı ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Şifre</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Kanallar</translation>
    </message>
    <message>
        <source>View Channels</source>
        <translation>Görüntülenen kanallar</translation>
    </message>
    <message>
        <source>Old protocol</source>
        <translation>Eski protokol</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Lütfen tüm alanları doldurun.</translation>
    </message>
</context>
<context>
    <name>CSetEMapInfoDialog</name>
    <message>
        <source>EMap Info</source>
        <translation>E-Harita Bilgisi</translation>
    </message>
    <message>
        <source>Group Name :</source>
        <translation>Grup adı :</translation>
    </message>
    <message>
        <source>EMap Name :</source>
        <translation>E-Harita adı :</translation>
    </message>
    <message>
        <source>Image Path :</source>
        <translation>Görüntü yolu :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Lütfen tüm alanları doldurun.</translation>
    </message>
    <message>
        <source>Select a Image file</source>
        <translation>Görüntü dosyası seçin</translation>
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
        <translation>Yönetici</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Şifre</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Kullanıcı</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Ad</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
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
        <translation>TÜMÜ</translation>
    </message>
    <message>
        <source>PTZF Control</source>
        <translation>PTZF kontrolü</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Kapalı</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Açık</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Oynatma</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Yedekleme</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Ağ</translation>
    </message>
    <message>
        <source>Network Timeout</source>
        <translation>Ağ zaman aşımı</translation>
    </message>
    <message>
        <source>Network Prohibition</source>
        <translation>Ağ erişim yasağı</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>Başlangıç saati</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>Bitiş saati</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Temizle</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ekle</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Değiştir</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Sil</translation>
    </message>
    <message>
        <source>Log off</source>
        <translation>Oturum kapatma</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Otomatik</translation>
    </message>
    <message>
        <source>Wait time</source>
        <translation>Bekleme süresi</translation>
    </message>
    <message>
        <source>Can&apos;t add same user.</source>
        <translation>Aynı kullanıcı eklenemez.</translation>
    </message>
    <message>
        <source>Another user already has this name.</source>
        <translation>Bu ad başka bir kullanıcıya ait.</translation>
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
        <translation>Ad</translation>
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
        <translation>Gizli</translation>
    </message>
    <message>
        <source>PTZ</source>
        <translation>PTZ</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Reverse Control</source>
        <translation>Ters kontrol</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>Pan</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Kapalı</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Açık</translation>
    </message>
    <message>
        <source>Tilt</source>
        <translation>Tilt</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Odak</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Baud hızı</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Keskinlik</translation>
    </message>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Sıralı geçiş</translation>
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
        <translation>Mod</translation>
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
        <translation>Tarih ve Saat</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Saat</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Tarih</translation>
    </message>
    <message>
        <source>Set to PC time</source>
        <translation>PC saatini al</translation>
    </message>
    <message>
        <source>Apply to DVR</source>
        <translation>DVR&apos;a uygula</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Kapat</translation>
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
        <translation>Hareket</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>Hassasiyet</translation>
    </message>
    <message>
        <source>Detection Zone</source>
        <translation>Algılama bölgesi</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>Açılır pencere</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Kapalı</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Açık</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>Kapanma</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Sensör</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tür</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Bağlı kanal</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>Röle</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Çıkış</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>Kayıt hatası</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>Kayıt uyarısı</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Süre</translation>
    </message>
    <message>
        <source>E-Mail Address</source>
        <translation>E-posta adresi</translation>
    </message>
    <message>
        <source>Receiver Address</source>
        <translation>Alıcı adresi</translation>
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
        <translation>Gönderen adresi</translation>
    </message>
    <message>
        <source>SMTP</source>
        <translation>SMTP</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adres</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>Kimlik doğrulama</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Kullanıcı ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Şifre</translation>
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
        <translation>E-posta gönderim ayarları</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Periyot</translation>
    </message>
    <message>
        <source>Prohibition</source>
        <translation>Yasak</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>Başlangıç saati</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>Bitiş saati</translation>
    </message>
    <message>
        <source>E-Mail Transfer Contents</source>
        <translation>E-posta içeriği</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Hayır</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Evet</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>Görüntü kaybı</translation>
    </message>
    <message>
        <source>Record Status</source>
        <translation>Kayıt durumu</translation>
    </message>
    <message>
        <source>System Access</source>
        <translation>Sistem erişimi</translation>
    </message>
    <message>
        <source>Record Time</source>
        <translation>Kayıt süresi</translation>
    </message>
    <message>
        <source>Post Alarm Record</source>
        <translation>Alarm sonrası kayıt</translation>
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
        <translation>Mod</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Write Mode</source>
        <translation>Yazma modu</translation>
    </message>
    <message>
        <source>Force Deletion</source>
        <translation>Zorunlu silme</translation>
    </message>
    <message>
        <source>S.M.A.R.T.</source>
        <translation>S.M.A.R.T.</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Kapalı</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Açık</translation>
    </message>
    <message>
        <source>Check Interval</source>
        <translation>Kontrol aralığı</translation>
    </message>
    <message>
        <source>ONCE</source>
        <translation>BİR KEZ</translation>
    </message>
    <message>
        <source>OVERWRITE</source>
        <translation>ÜZERİNE YAZ</translation>
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
        <translation>Tür</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>BW Limitation</source>
        <translation>Bant genişliği sınırı</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP adresi</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Alt ağ maskesi</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Ağ geçidi</translation>
    </message>
    <message>
        <source>DNS IP</source>
        <translation>DNS IP</translation>
    </message>
    <message>
        <source>UPNP</source>
        <translation>UPNP</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Kapalı</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Açık</translation>
    </message>
    <message>
        <source>DDNS Link</source>
        <translation>DDNS bağlantısı</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Kullanıcı ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Şifre</translation>
    </message>
    <message>
        <source>DDNS</source>
        <translation>DDNS</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>Ana bilgisayar adı</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>Akış</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Kalite</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Onay</translation>
    </message>
    <message>
        <source>Apply network TCP/IP &amp;&amp; DDNS configuration</source>
        <translation>TCP/IP ve DDNS ağ ayarlarını uygula</translation>
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
        <translation>Kanal</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Çözünürlük</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Kalite</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mod</translation>
    </message>
    <message>
        <source>Event Quality</source>
        <translation>Olay kalitesi</translation>
    </message>
    <message>
        <source>Event FPS</source>
        <translation>Olay FPS</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>Zamanlama</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuel</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Sürekli</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Hareket</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Sensör</translation>
    </message>
    <message>
        <source>Motion + Sensor</source>
        <translation>Hareket + sensör</translation>
    </message>
    <message>
        <source>Cont. + Event</source>
        <translation>Sürekli + olay</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Numara</translation>
    </message>
    <message>
        <source>Etc.</source>
        <translation>Diğer</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Ses</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Kapalı</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Açık</translation>
    </message>
    <message>
        <source>Time Overlay</source>
        <translation>Zaman damgası</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Oynatma</translation>
    </message>
    <message>
        <source>Starting Point</source>
        <translation>Başlangıç noktası</translation>
    </message>
    <message>
        <source>SUN</source>
        <translation>PAZ</translation>
    </message>
    <message>
        <source>MON</source>
        <translation>PZT</translation>
    </message>
    <message>
        <source>TUE</source>
        <translation>SAL</translation>
    </message>
    <message>
        <source>WED</source>
        <translation>ÇAR</translation>
    </message>
    <message>
        <source>THU</source>
        <translation>PER</translation>
    </message>
    <message>
        <source>FRI</source>
        <translation>CUM</translation>
    </message>
    <message>
        <source>SAT</source>
        <translation>CMT</translation>
    </message>
    <message>
        <source> 25 %</source>
        <translation> % 25</translation>
    </message>
    <message>
        <source> 50 %</source>
        <translation> % 50</translation>
    </message>
    <message>
        <source>100 %</source>
        <translation>% 100</translation>
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
        <translation>Ad ve ID</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Ad</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Time &amp; Date</source>
        <translation>Tarih ve Saat</translation>
    </message>
    <message>
        <source>Time Format</source>
        <translation>Saat biçimi</translation>
    </message>
    <message>
        <source>Date Format</source>
        <translation>Tarih biçimi</translation>
    </message>
    <message>
        <source>Timezone</source>
        <translation>Saat dilimi</translation>
    </message>
    <message>
        <source>NTP</source>
        <translation>NTP</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Kapalı</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Açık</translation>
    </message>
    <message>
        <source>NTP Address</source>
        <translation>NTP sunucusu</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Dil</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Buzzer</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Sensör</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Hareket</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>Görüntü kaybı</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>Kayıt hatası</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>Kayıt uyarısı</translation>
    </message>
    <message>
        <source>Auto Reboot</source>
        <translation>Otomatik yeniden başlatma</translation>
    </message>
    <message>
        <source>Day</source>
        <comment>day of week</comment>
        <translation>Gün</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Saat</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Ekran</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>Kamera adı</translation>
    </message>
    <message>
        <source>Record Icon</source>
        <translation>Kayıt simgesi</translation>
    </message>
    <message>
        <source>Motion Icon</source>
        <translation>Hareket simgesi</translation>
    </message>
    <message>
        <source>Sensor Icon</source>
        <translation>Sensör simgesi</translation>
    </message>
    <message>
        <source>Task Bar</source>
        <translation>Görev çubuğu</translation>
    </message>
    <message>
        <source>VGA Mode</source>
        <translation>VGA modu</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Pazar</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Pazartesi</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Salı</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Çarşamba</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Perşembe</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Cuma</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Cumartesi</translation>
    </message>
    <message>
        <source>Everyday</source>
        <translation>Her gün</translation>
    </message>
</context>
<context>
    <name>CSetupWidget</name>
    <message>
        <source>System</source>
        <translation>Sistem</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Ağ</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Kayıt</translation>
    </message>
    <message>
        <source>HDD</source>
        <translation>Disk</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Olay</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Hesap</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Kamera</translation>
    </message>
    <message>
        <source>The DVR configuration is of an unknown model (%1).</source>
        <translation>DVR yapılandırması bilinmeyen bir modele ait (%1).</translation>
    </message>
    <message>
        <source>The configuration of a DVR on the old protocol cannot be read.</source>
        <translation>Eski protokollü bir DVR&apos;ın yapılandırması okunamaz.</translation>
    </message>
    <message>
        <source>The DVR configuration could not be read.</source>
        <translation>DVR yapılandırması okunamadı.</translation>
    </message>
    <message>
        <source>The admin password must not be empty.</source>
        <translation>Yönetici şifresi boş olamaz.</translation>
    </message>
    <message>
        <source>No configuration was read from the DVR. Send the default settings anyway?</source>
        <translation>DVR&apos;dan yapılandırma okunmadı. Varsayılan ayarlar yine de gönderilsin mi?</translation>
    </message>
    <message>
        <source>The transmission error occurred!</source>
        <translation>Aktarım hatası oluştu!</translation>
    </message>
    <message>
        <source>The DVR configuration is correctly transfered!</source>
        <translation>DVR yapılandırması başarıyla aktarıldı!</translation>
    </message>
    <message>
        <source>Please select a configuration file.</source>
        <translation>Lütfen bir yapılandırma dosyası seçin.</translation>
    </message>
    <message>
        <source>Configs (*.conf)</source>
        <translation>Yapılandırmalar (*.conf)</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened.</source>
        <translation>%1 dosyası açılamıyor.</translation>
    </message>
    <message>
        <source>The file %1 is not a DVR configuration.</source>
        <translation>%1 dosyası bir DVR yapılandırması değil.</translation>
    </message>
    <message>
        <source>The file name must end with &quot;.conf&quot;.</source>
        <translation>Dosya adı &quot;.conf&quot; ile bitmelidir.</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>%1 dosyası yazılamıyor.</translation>
    </message>
</context>
<context>
    <name>CTimeLine</name>
    <message>
        <source>Hour</source>
        <translation>Saat</translation>
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
        <translation>Yazılım güncelleme</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tür</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Dosya</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Gözat...</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Güncelleme</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Kapat</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Dosya seç</translation>
    </message>
    <message>
        <source>All files(*.*)</source>
        <translation>Tüm dosyalar(*.*)</translation>
    </message>
    <message>
        <source>The upgrade is failed!</source>
        <translation>Güncelleme başarısız oldu!</translation>
    </message>
    <message>
        <source>The upgrade is completed!</source>
        <translation>Güncelleme tamamlandı!</translation>
    </message>
</context>
<context>
    <name>CWaitDialog</name>
    <message>
        <source>Please wait a minute.</source>
        <translation>Lütfen bekleyin.</translation>
    </message>
</context>
<context>
    <name>PbButtons</name>
    <message>
        <source>Reverse</source>
        <translation>Geri oynat</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Duraklat</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Durdur</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Oynat</translation>
    </message>
    <message>
        <source>Step reverse</source>
        <translation>Kare geri</translation>
    </message>
    <message>
        <source>Step forward</source>
        <translation>Kare ileri</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Yavaşlat</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Hızlandır</translation>
    </message>
</context>
<context>
    <name>UpLoader</name>
    <message>
        <source>Error: can&apos;t open file %1</source>
        <translation>Hata: %1 dosyası açılamıyor</translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation>Ağ hatası: %1</translation>
    </message>
</context>
<context>
    <name>Viewer</name>
    <message>
        <source>Save File</source>
        <translation>Dosyayı kaydet</translation>
    </message>
    <message>
        <source>Text files(*.txt)</source>
        <translation>Metin dosyaları(*.txt)</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>%1 dosyası yazılamıyor:
%2.</translation>
    </message>
    <message>
        <source>File saved</source>
        <translation>Dosya kaydedildi</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Lütfen bir klasör seçin.</translation>
    </message>
    <message>
        <source>The image has been saved.</source>
        <translation>Görüntü kaydedildi.</translation>
    </message>
    <message>
        <source>The image could not be saved.</source>
        <translation>Görüntü kaydedilemedi.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Dosya aç</translation>
    </message>
    <message>
        <source>Capture Images (*.png *.jpg)</source>
        <translation>Anlık görüntüler (*.png *.jpg)</translation>
    </message>
    <message>
        <source>The backup ended before its end time. The files written so far are in &quot;%1&quot;.</source>
        <translation>Yedekleme bitiş zamanından önce sona erdi. Şimdiye kadar yazılan dosyalar &quot;%1&quot; içinde.</translation>
    </message>
    <message>
        <source>The changes to the DVR list are not saved (%1).</source>
        <translation>DVR listesindeki değişiklikler kaydedilmedi (%1).</translation>
    </message>
    <message>
        <source>The changes to the e-map list are not saved (%1).</source>
        <translation>E-Harita listesindeki değişiklikler kaydedilmedi (%1).</translation>
    </message>
    <message>
        <source>Close the program all the same? These changes are lost then.</source>
        <translation>Program yine de kapatılsın mı? Bu değişiklikler o zaman kaybolur.</translation>
    </message>
    <message>
        <source>another mode was chosen</source>
        <translation>başka bir mod seçildi</translation>
    </message>
</context>
<context>
    <name>ViewerClass</name>
    <message>
        <source>Live S</source>
        <translation>Canlı Tekli</translation>
    </message>
    <message>
        <source>Live M</source>
        <translation>Canlı Çoklu</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Arama</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Oynatma</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Yedekleme</translation>
    </message>
    <message>
        <source>E-Map</source>
        <translation>E-Harita</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Bilgi</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Yapılandırma</translation>
    </message>
    <message>
        <source>PC Setup</source>
        <translation>PC Ayarları</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Görüntüle</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Düzenle</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Ayarlar</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Çıkış</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Aç</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Kaydet</translation>
    </message>
    <message>
        <source>Setup Model</source>
        <translation>Model seç</translation>
    </message>
    <message>
        <source>Load Default</source>
        <translation>Varsayılanlar</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Yeniden yükle</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Uygula</translation>
    </message>
    <message>
        <source>Apply All</source>
        <translation>Tümünü uygula</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Güncelleme</translation>
    </message>
    <message>
        <source>Date &amp;&amp; Time</source>
        <translation>Tarih &amp;&amp; Saat</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Sıfırla</translation>
    </message>
    <message>
        <source>Digital Zoom</source>
        <translation>Dijital yakınlaştırma</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Anlık görüntü</translation>
    </message>
    <message>
        <source>PC Record</source>
        <translation>PC&apos;ye kayıt</translation>
    </message>
    <message>
        <source>DVR Record</source>
        <translation>DVR kaydı</translation>
    </message>
</context>
</TS>
