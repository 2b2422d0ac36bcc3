<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en_US">
<context>
    <name>CAutoPresetWidget</name>
    <message>
        <source>CAutoPresetWidget</source>
        <translation>CAutoPresetWidget</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>시작</translation>
    </message>
    <message>
        <source>End</source>
        <translation>종료</translation>
    </message>
    <message>
        <source>Interval(sec)</source>
        <translation>간격(초)</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>프리셋 %1</translation>
    </message>
</context>
<context>
    <name>CBackupWidget</name>
    <message>
        <source>Start</source>
        <translation>시작</translation>
    </message>
    <message>
        <source>End</source>
        <translation>종료</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>정지</translation>
    </message>
    <message>
        <source>Please connect a DVR first.</source>
        <translation>먼저 DVR에 연결하십시오.</translation>
    </message>
    <message>
        <source>Please select a channel.</source>
        <translation>채널을 선택하십시오.</translation>
    </message>
    <message>
        <source>The end time is before the start time.</source>
        <translation>종료 시간이 시작 시간보다 앞섭니다.</translation>
    </message>
</context>
<context>
    <name>CCameraWidget</name>
    <message>
        <source>DVR Name : %1
</source>
        <translation>DVR 이름 : %1
</translation>
    </message>
    <message>
        <source>Address : %1
</source>
        <translation>주소 : %1
</translation>
    </message>
    <message>
        <source>Port : %1
</source>
        <translation>포트 : %1
</translation>
    </message>
    <message>
        <source>User : %1
</source>
        <translation>사용자 : %1
</translation>
    </message>
    <message>
        <source>Camera : %1
</source>
        <translation>카메라 : %1
</translation>
    </message>
    <message>
        <source>Please check the position of the camera.</source>
        <translation>카메라 위치를 확인하십시오.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>삭제</translation>
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
        <translation>채널</translation>
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
        <translation>&quot;%1&quot;의 녹화가 중지하기 전에 끝났습니다. 지금까지 기록된 파일은 &quot;%2&quot;에 있습니다.</translation>
    </message>
</context>
<context>
    <name>CDVRInfoWidget</name>
    <message>
        <source>Information</source>
        <translation>정보</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>DVR 정보</translation>
    </message>
    <message>
        <source>Reading the DVR information...</source>
        <translation>DVR 정보를 읽는 중...</translation>
    </message>
    <message>
        <source>No information was received from the DVR.</source>
        <translation>DVR에서 정보를 받지 못했습니다.</translation>
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
        <translation>카메라 %1</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>그룹 추가</translation>
    </message>
    <message>
        <source>Group Name</source>
        <translation>그룹 이름</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>그룹 편집</translation>
    </message>
    <message>
        <source>Do you want to delete the group &quot;%1&quot; and its DVRs?</source>
        <translation>그룹 &quot;%1&quot;과(와) 그 DVR을 삭제하시겠습니까?</translation>
    </message>
    <message>
        <source>Do you want to delete the DVR &quot;%1&quot;?</source>
        <translation>DVR &quot;%1&quot;을(를) 삭제하시겠습니까?</translation>
    </message>
    <message>
        <source>The DVR list file was damaged. Read from it: %1 groups and %2 DVRs. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>DVR 목록 파일이 손상되었습니다. 읽은 내용: 그룹 %1개, DVR %2대. 손상된 파일은 &quot;%3&quot;(으)로 보관되어 있습니다.</translation>
    </message>
    <message>
        <source>The DVR list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>DVR 목록 파일 &quot;%1&quot;을(를) 읽을 수 없습니다 (%2). 대신 기본 목록을 표시합니다. 덮어쓴 것은 없습니다.</translation>
    </message>
    <message>
        <source>The DVR list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>시작할 때 읽을 수 없었던 DVR 목록 파일은 &quot;%1&quot;(으)로 보관되어 있습니다.</translation>
    </message>
    <message>
        <source>The DVR list could not be saved (%1).</source>
        <translation>DVR 목록을 저장할 수 없습니다 (%1).</translation>
    </message>
    <message>
        <source>The DVR list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>DVR 목록 파일이 이 프로그램이 마지막으로 읽거나 저장한 뒤에 다른 곳에서 변경되었습니다. 그 버전은 &quot;%1&quot;(으)로 보관되어 있습니다.</translation>
    </message>
</context>
<context>
    <name>CEMapList</name>
    <message>
        <source>Modify group name</source>
        <translation>그룹 이름 변경</translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation>그룹 이름:</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map group?</source>
        <translation>선택한 맵 그룹을 삭제하시겠습니까?</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map?</source>
        <translation>선택한 맵을 삭제하시겠습니까?</translation>
    </message>
    <message>
        <source>The e-map list file was damaged. Read from it: %1 groups and %2 maps. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>E-맵 목록 파일이 손상되었습니다. 읽은 내용: 그룹 %1개, 맵 %2개. 손상된 파일은 &quot;%3&quot;(으)로 보관되어 있습니다.</translation>
    </message>
    <message>
        <source>The e-map list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>E-맵 목록 파일 &quot;%1&quot;을(를) 읽을 수 없습니다 (%2). 대신 기본 목록을 표시합니다. 덮어쓴 것은 없습니다.</translation>
    </message>
    <message>
        <source>The e-map list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>시작할 때 읽을 수 없었던 E-맵 목록 파일은 &quot;%1&quot;(으)로 보관되어 있습니다.</translation>
    </message>
    <message>
        <source>The e-map list could not be saved (%1).</source>
        <translation>E-맵 목록을 저장할 수 없습니다 (%1).</translation>
    </message>
    <message>
        <source>The e-map list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>E-맵 목록 파일이 이 프로그램이 마지막으로 읽거나 저장한 뒤에 다른 곳에서 변경되었습니다. 그 버전은 &quot;%1&quot;(으)로 보관되어 있습니다.</translation>
    </message>
</context>
<context>
    <name>CEMapMenu</name>
    <message>
        <source>Add EMap</source>
        <translation>E-맵 추가</translation>
    </message>
    <message>
        <source>Edit EMap</source>
        <translation>E-맵 편집</translation>
    </message>
    <message>
        <source>Delete EMap</source>
        <translation>E-맵 삭제</translation>
    </message>
</context>
<context>
    <name>CEMapSetupDialog</name>
    <message>
        <source>EMap Setup</source>
        <translation>E-맵 설정</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>팝업</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>끔</translation>
    </message>
    <message>
        <source>On</source>
        <translation>켬</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>자동 닫기</translation>
    </message>
    <message>
        <source>Image Size</source>
        <translation>이미지 크기</translation>
    </message>
    <message>
        <source>Adjust</source>
        <translation>맞춤</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>원본</translation>
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
        <translation>DVR 정보를 확인하십시오.</translation>
    </message>
    <message>
        <source>The camera is in the emap.</source>
        <translation>카메라가 이미 E-맵에 있습니다.</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>모두 삭제</translation>
    </message>
</context>
<context>
    <name>CEventSound</name>
    <message>
        <source>The alarm cannot sound: its sound cannot be read.</source>
        <translation>알람을 울릴 수 없습니다: 알람 소리를 읽을 수 없습니다.</translation>
    </message>
    <message>
        <source>The alarm cannot sound: the sound output does not answer.</source>
        <translation>알람을 울릴 수 없습니다: 오디오 출력이 응답하지 않습니다.</translation>
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
        <translation>HDD</translation>
    </message>
    <message>
        <source>Total Space : </source>
        <translation>전체 용량 : </translation>
    </message>
    <message>
        <source>Used Space : </source>
        <translation>사용 용량 : </translation>
    </message>
    <message>
        <source>Free Space : </source>
        <translation>여유 용량 : </translation>
    </message>
    <message>
        <source>HDD %1</source>
        <translation>HDD %1</translation>
    </message>
</context>
<context>
    <name>CHttpConnect</name>
    <message>
        <source>[ERROR]user unknown</source>
        <translation>[오류]알 수 없는 사용자</translation>
    </message>
    <message>
        <source>[ERROR]password miss</source>
        <translation>[오류]비밀번호 오류</translation>
    </message>
    <message>
        <source>[ERROR]protocol version</source>
        <translation>[오류]프로토콜 버전 불일치</translation>
    </message>
    <message>
        <source>[ERROR]client limit</source>
        <translation>[오류]접속자 수 초과</translation>
    </message>
    <message>
        <source>[ERROR]super exist</source>
        <translation>[오류]관리자가 이미 접속 중</translation>
    </message>
    <message>
        <source>[ERROR]no video data</source>
        <translation>[오류]영상 데이터 없음</translation>
    </message>
    <message>
        <source>[ERROR]no video channel</source>
        <translation>[오류]영상 채널 없음</translation>
    </message>
    <message>
        <source>[ERROR]mpeg push end</source>
        <translation>[오류]스트림 전송 종료</translation>
    </message>
    <message>
        <source>[ERROR]connection timeout</source>
        <translation>[오류]연결 시간 초과</translation>
    </message>
    <message>
        <source>[ERROR]unknown</source>
        <translation>[오류]알 수 없음</translation>
    </message>
    <message>
        <source>[ERROR]permission denied</source>
        <translation>[오류]권한 없음</translation>
    </message>
    <message>
        <source>[ERROR]network timeout</source>
        <translation>[오류]네트워크 시간 초과</translation>
    </message>
    <message>
        <source>[ERROR]request refused</source>
        <translation>[오류]요청 거부</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>연결 실패</translation>
    </message>
    <message>
        <source>There is no more backup data. Or Connection failed</source>
        <translation>더 이상 백업할 데이터가 없거나 연결에 실패했습니다</translation>
    </message>
    <message>
        <source>The backup is complete.</source>
        <translation>백업이 완료되었습니다.</translation>
    </message>
    <message>
        <source>Waiting for the DVR to end the last stream</source>
        <translation>DVR가 이전 스트림을 종료하기를 기다리는 중</translation>
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
        <translation>시스템 정보</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>H/W Version</source>
        <translation>H/W 버전</translation>
    </message>
    <message>
        <source>Kernel Version</source>
        <translation>커널 버전</translation>
    </message>
    <message>
        <source>Ramdisk Version</source>
        <translation>램디스크 버전</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC 주소</translation>
    </message>
    <message>
        <source>HDD Information</source>
        <translation>HDD 정보</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>DVR 정보</translation>
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
        <translation>프리셋 투어</translation>
    </message>
    <message>
        <source>Rem. Port</source>
        <translation>릴레이 출력</translation>
    </message>
    <message>
        <source>Picture ctrl</source>
        <translation>화질 조정</translation>
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
        <translation>시스템 로그</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>시간</translation>
    </message>
    <message>
        <source>User</source>
        <translation>사용자</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>로그</translation>
    </message>
</context>
<context>
    <name>CLogin</name>
    <message>
        <source>Login</source>
        <translation>로그인</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>비밀번호</translation>
    </message>
</context>
<context>
    <name>CMenuDVRList</name>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>연결 해제</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>그룹 추가</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>그룹 편집</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>그룹 삭제</translation>
    </message>
    <message>
        <source>Add DVR</source>
        <translation>DVR 추가</translation>
    </message>
    <message>
        <source>Edit DVR</source>
        <translation>DVR 편집</translation>
    </message>
    <message>
        <source>Delete DVR</source>
        <translation>DVR 삭제</translation>
    </message>
</context>
<context>
    <name>CModelInfoDialog</name>
    <message>
        <source>Model Info</source>
        <translation>모델 정보</translation>
    </message>
    <message>
        <source>DVR Channels :</source>
        <translation>DVR 채널 :</translation>
    </message>
    <message>
        <source>4 channels</source>
        <translation>4채널</translation>
    </message>
    <message>
        <source>8 channels</source>
        <translation>8채널</translation>
    </message>
    <message>
        <source>16 channels</source>
        <translation>16채널</translation>
    </message>
    <message>
        <source>Video Type :</source>
        <translation>영상 방식 :</translation>
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
        <translation>DVR 모델 :</translation>
    </message>
</context>
<context>
    <name>CMotionZoneDialog</name>
    <message>
        <source>Motion Zone</source>
        <translation>모션 영역</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>선택</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>지우기</translation>
    </message>
</context>
<context>
    <name>CPCInfoPage</name>
    <message>
        <source>PC Information</source>
        <translation>PC 정보</translation>
    </message>
    <message>
        <source>Local Drive</source>
        <translation>로컬 드라이브</translation>
    </message>
    <message>
        <source>Record Folder</source>
        <translation>녹화 폴더</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>드라이브</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>알 수 없음</translation>
    </message>
</context>
<context>
    <name>CPCSetupDialog</name>
    <message>
        <source>PC Setup</source>
        <translation>PC 설정</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>PC Information</source>
        <translation>PC 정보</translation>
    </message>
</context>
<context>
    <name>CPCSetupPage</name>
    <message>
        <source>PC Setup</source>
        <translation>PC 설정</translation>
    </message>
    <message>
        <source>General</source>
        <translation>일반</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>언어</translation>
    </message>
    <message>
        <source>Sequence Interval (sec)</source>
        <translation>시퀀스 간격(초)</translation>
    </message>
    <message>
        <source>Live View</source>
        <translation>라이브 보기</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>스트림</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>오디오</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>재연결</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>On-Screen Display</source>
        <translation>화면 표시</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>카메라 이름</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>녹화</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>이벤트</translation>
    </message>
    <message>
        <source>Alarm Sound</source>
        <translation>알람음</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>폴더</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>캡처</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>백업</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>파일</translation>
    </message>
    <message>
        <source>Record File Format</source>
        <translation>녹화 파일 형식</translation>
    </message>
    <message>
        <source>Capture File Format</source>
        <translation>캡처 파일 형식</translation>
    </message>
    <message>
        <source>Playback Mode</source>
        <translation>재생 모드</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>끔</translation>
    </message>
    <message>
        <source>On</source>
        <translation>켬</translation>
    </message>
    <message>
        <source>None</source>
        <translation>없음</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>아이콘</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>테두리</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>메인</translation>
    </message>
    <message>
        <source>Sub</source>
        <translation>서브</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>자동</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>연속</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>건너뛰기</translation>
    </message>
    <message>
        <source>OpenGL(High PC)</source>
        <translation>OpenGL(고사양 PC)</translation>
    </message>
    <message>
        <source>OpenGL(Low PC)</source>
        <translation>OpenGL(저사양 PC)</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>폴더를 선택하십시오.</translation>
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
        <translation>대비</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>밝기</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>채도</translation>
    </message>
    <message>
        <source>H.Sharpness</source>
        <translation>수평 선명도</translation>
    </message>
    <message>
        <source>V.Sharpness</source>
        <translation>수직 선명도</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>기본값</translation>
    </message>
</context>
<context>
    <name>CPlaybackFile</name>
    <message>
        <source>Damaged file: %1</source>
        <translation>손상된 파일: %1</translation>
    </message>
    <message>
        <source>Missing file: %1</source>
        <translation>없는 파일: %1</translation>
    </message>
    <message>
        <source>No recording at this time</source>
        <translation>이 시간에는 녹화가 없습니다</translation>
    </message>
    <message>
        <source>End of the recordings</source>
        <translation>녹화 영상의 끝입니다</translation>
    </message>
</context>
<context>
    <name>CProgressDialog</name>
    <message>
        <source>Upgrading</source>
        <translation>업그레이드 중</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>중단</translation>
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
        <translation>줌</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>포커스</translation>
    </message>
    <message>
        <source>Iris</source>
        <translation>아이리스</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>저장</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>이동</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>느림</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>보통</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>빠름</translation>
    </message>
    <message>
        <source>Very Fast</source>
        <translation>매우 빠름</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>프리셋 %1</translation>
    </message>
</context>
<context>
    <name>CRecord</name>
    <message>
        <source>The folder cannot be written: %1</source>
        <translation>폴더에 쓸 수 없습니다: %1</translation>
    </message>
    <message>
        <source>Recording stopped: %1</source>
        <translation>녹화 중지됨: %1</translation>
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
        <translation>자동 끔 :</translation>
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
        <translation>릴레이</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>자동</translation>
    </message>
    <message>
        <source>On</source>
        <translation>켬</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>끔</translation>
    </message>
</context>
<context>
    <name>CSearchWidget</name>
    <message>
        <source>Channel</source>
        <translation>채널</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>검색 중...</translation>
    </message>
    <message>
        <source>No search data was received from the DVR.</source>
        <translation>DVR에서 검색 데이터를 받지 못했습니다.</translation>
    </message>
    <message>
        <source>No recordings.</source>
        <translation>녹화가 없습니다.</translation>
    </message>
    <message>
        <source>Files not read: %1</source>
        <translation>읽지 못한 파일: %1</translation>
    </message>
    <message>
        <source>Recorded minutes whose files are missing: %1</source>
        <translation>파일이 없는 녹화 분: %1</translation>
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
        <translation>주소</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>포트</translation>
    </message>
    <message>
        <source>Admin Password</source>
        <translation>관리자 비밀번호</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>모든 항목을 입력하십시오.</translation>
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
        <translation>채널</translation>
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
        <translation>표시 시간</translation>
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
        <translation>DVR 이름</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>주소</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>포트</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>비밀번호</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>채널</translation>
    </message>
    <message>
        <source>View Channels</source>
        <translation>표시 채널</translation>
    </message>
    <message>
        <source>Old protocol</source>
        <translation>구 프로토콜</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>모든 항목을 입력하십시오.</translation>
    </message>
</context>
<context>
    <name>CSetEMapInfoDialog</name>
    <message>
        <source>EMap Info</source>
        <translation>E-맵 정보</translation>
    </message>
    <message>
        <source>Group Name :</source>
        <translation>그룹 이름 :</translation>
    </message>
    <message>
        <source>EMap Name :</source>
        <translation>E-맵 이름 :</translation>
    </message>
    <message>
        <source>Image Path :</source>
        <translation>이미지 경로 :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>모든 항목을 입력하십시오.</translation>
    </message>
    <message>
        <source>Select a Image file</source>
        <translation>이미지 파일 선택</translation>
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
        <translation>관리자</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>비밀번호</translation>
    </message>
    <message>
        <source>User</source>
        <translation>사용자</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>이름</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>채널</translation>
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
        <translation>전체</translation>
    </message>
    <message>
        <source>PTZF Control</source>
        <translation>PTZF 제어</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>끔</translation>
    </message>
    <message>
        <source>On</source>
        <translation>켬</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>재생</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>백업</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>네트워크</translation>
    </message>
    <message>
        <source>Network Timeout</source>
        <translation>네트워크 시간 제한</translation>
    </message>
    <message>
        <source>Network Prohibition</source>
        <translation>네트워크 금지</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>시작 시간</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>종료 시간</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>지우기</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>추가</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>수정</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>삭제</translation>
    </message>
    <message>
        <source>Log off</source>
        <translation>로그오프</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>자동</translation>
    </message>
    <message>
        <source>Wait time</source>
        <translation>대기 시간</translation>
    </message>
    <message>
        <source>Can&apos;t add same user.</source>
        <translation>같은 사용자를 추가할 수 없습니다.</translation>
    </message>
    <message>
        <source>Another user already has this name.</source>
        <translation>다른 사용자가 이미 이 이름을 사용합니다.</translation>
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
        <translation>이름</translation>
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
        <translation>숨김</translation>
    </message>
    <message>
        <source>PTZ</source>
        <translation>PTZ</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>채널</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>모델</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Reverse Control</source>
        <translation>역방향 제어</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>팬</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>끔</translation>
    </message>
    <message>
        <source>On</source>
        <translation>켬</translation>
    </message>
    <message>
        <source>Tilt</source>
        <translation>틸트</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>줌</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>포커스</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>전송 속도</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>선명도</translation>
    </message>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>시퀀스</translation>
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
        <translation>모드</translation>
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
        <translation>날짜 및 시간</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>시간</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>날짜</translation>
    </message>
    <message>
        <source>Set to PC time</source>
        <translation>PC 시간으로 설정</translation>
    </message>
    <message>
        <source>Apply to DVR</source>
        <translation>DVR에 적용</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
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
        <translation>모션</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>채널</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>감도</translation>
    </message>
    <message>
        <source>Detection Zone</source>
        <translation>감지 영역</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>팝업</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>끔</translation>
    </message>
    <message>
        <source>On</source>
        <translation>켬</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>자동 닫기</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>센서</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>유형</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>연동</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>릴레이</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>출력</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>녹화 실패</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>녹화 경고</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>지속 시간</translation>
    </message>
    <message>
        <source>E-Mail Address</source>
        <translation>이메일 주소</translation>
    </message>
    <message>
        <source>Receiver Address</source>
        <translation>받는 사람 주소</translation>
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
        <translation>보내는 사람 주소</translation>
    </message>
    <message>
        <source>SMTP</source>
        <translation>SMTP</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>주소</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>포트</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>인증</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>비밀번호</translation>
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
        <translation>이메일 전송 설정</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>주기</translation>
    </message>
    <message>
        <source>Prohibition</source>
        <translation>금지</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>시작 시간</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>종료 시간</translation>
    </message>
    <message>
        <source>E-Mail Transfer Contents</source>
        <translation>이메일 전송 내용</translation>
    </message>
    <message>
        <source>No</source>
        <translation>아니요</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>예</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>비디오 손실</translation>
    </message>
    <message>
        <source>Record Status</source>
        <translation>녹화 상태</translation>
    </message>
    <message>
        <source>System Access</source>
        <translation>시스템 접속</translation>
    </message>
    <message>
        <source>Record Time</source>
        <translation>녹화 시간</translation>
    </message>
    <message>
        <source>Post Alarm Record</source>
        <translation>알람 후 녹화</translation>
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
        <translation>모드</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Write Mode</source>
        <translation>쓰기 모드</translation>
    </message>
    <message>
        <source>Force Deletion</source>
        <translation>강제 삭제</translation>
    </message>
    <message>
        <source>S.M.A.R.T.</source>
        <translation>S.M.A.R.T.</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>끔</translation>
    </message>
    <message>
        <source>On</source>
        <translation>켬</translation>
    </message>
    <message>
        <source>Check Interval</source>
        <translation>검사 주기</translation>
    </message>
    <message>
        <source>ONCE</source>
        <translation>1회</translation>
    </message>
    <message>
        <source>OVERWRITE</source>
        <translation>덮어쓰기</translation>
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
        <translation>유형</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>포트</translation>
    </message>
    <message>
        <source>BW Limitation</source>
        <translation>대역폭 제한</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 주소</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>서브넷 마스크</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>게이트웨이</translation>
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
        <translation>끔</translation>
    </message>
    <message>
        <source>On</source>
        <translation>켬</translation>
    </message>
    <message>
        <source>DDNS Link</source>
        <translation>DDNS 연결</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>비밀번호</translation>
    </message>
    <message>
        <source>DDNS</source>
        <translation>DDNS</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>호스트 이름</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>스트림</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>채널</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>화질</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>Apply network TCP/IP &amp;&amp; DDNS configuration</source>
        <translation>TCP/IP 및 DDNS 네트워크 설정 적용</translation>
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
        <translation>채널</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>해상도</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>화질</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>모드</translation>
    </message>
    <message>
        <source>Event Quality</source>
        <translation>이벤트 화질</translation>
    </message>
    <message>
        <source>Event FPS</source>
        <translation>이벤트 FPS</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>스케줄</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>수동</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>연속</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>모션</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>센서</translation>
    </message>
    <message>
        <source>Motion + Sensor</source>
        <translation>모션 + 센서</translation>
    </message>
    <message>
        <source>Cont. + Event</source>
        <translation>연속 + 이벤트</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>번호</translation>
    </message>
    <message>
        <source>Etc.</source>
        <translation>기타</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>오디오</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>끔</translation>
    </message>
    <message>
        <source>On</source>
        <translation>켬</translation>
    </message>
    <message>
        <source>Time Overlay</source>
        <translation>시간 표시</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>재생</translation>
    </message>
    <message>
        <source>Starting Point</source>
        <translation>시작 지점</translation>
    </message>
    <message>
        <source>SUN</source>
        <translation>일</translation>
    </message>
    <message>
        <source>MON</source>
        <translation>월</translation>
    </message>
    <message>
        <source>TUE</source>
        <translation>화</translation>
    </message>
    <message>
        <source>WED</source>
        <translation>수</translation>
    </message>
    <message>
        <source>THU</source>
        <translation>목</translation>
    </message>
    <message>
        <source>FRI</source>
        <translation>금</translation>
    </message>
    <message>
        <source>SAT</source>
        <translation>토</translation>
    </message>
    <message>
        <source> 25 %</source>
        <translation> 25%</translation>
    </message>
    <message>
        <source> 50 %</source>
        <translation> 50%</translation>
    </message>
    <message>
        <source>100 %</source>
        <translation>100%</translation>
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
        <translation>이름 및 ID</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>이름</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Time &amp; Date</source>
        <translation>날짜 및 시간</translation>
    </message>
    <message>
        <source>Time Format</source>
        <translation>시간 형식</translation>
    </message>
    <message>
        <source>Date Format</source>
        <translation>날짜 형식</translation>
    </message>
    <message>
        <source>Timezone</source>
        <translation>시간대</translation>
    </message>
    <message>
        <source>NTP</source>
        <translation>NTP</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>끔</translation>
    </message>
    <message>
        <source>On</source>
        <translation>켬</translation>
    </message>
    <message>
        <source>NTP Address</source>
        <translation>NTP 서버</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>언어</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>부저</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>센서</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>모션</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>비디오 손실</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>녹화 실패</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>녹화 경고</translation>
    </message>
    <message>
        <source>Auto Reboot</source>
        <translation>자동 재부팅</translation>
    </message>
    <message>
        <source>Day</source>
        <comment>day of week</comment>
        <translation>요일</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>시간</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>화면 표시</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>카메라 이름</translation>
    </message>
    <message>
        <source>Record Icon</source>
        <translation>녹화 아이콘</translation>
    </message>
    <message>
        <source>Motion Icon</source>
        <translation>모션 아이콘</translation>
    </message>
    <message>
        <source>Sensor Icon</source>
        <translation>센서 아이콘</translation>
    </message>
    <message>
        <source>Task Bar</source>
        <translation>작업 표시줄</translation>
    </message>
    <message>
        <source>VGA Mode</source>
        <translation>VGA 모드</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>일요일</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>월요일</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>화요일</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>수요일</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>목요일</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>금요일</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>토요일</translation>
    </message>
    <message>
        <source>Everyday</source>
        <translation>매일</translation>
    </message>
</context>
<context>
    <name>CSetupWidget</name>
    <message>
        <source>System</source>
        <translation>시스템</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>네트워크</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>녹화</translation>
    </message>
    <message>
        <source>HDD</source>
        <translation>HDD</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>이벤트</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>계정</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>카메라</translation>
    </message>
    <message>
        <source>The DVR configuration is of an unknown model (%1).</source>
        <translation>DVR 설정이 알 수 없는 모델(%1)의 것입니다.</translation>
    </message>
    <message>
        <source>The configuration of a DVR on the old protocol cannot be read.</source>
        <translation>구 프로토콜 DVR의 설정은 읽을 수 없습니다.</translation>
    </message>
    <message>
        <source>The DVR configuration could not be read.</source>
        <translation>DVR 설정을 읽을 수 없습니다.</translation>
    </message>
    <message>
        <source>The admin password must not be empty.</source>
        <translation>관리자 비밀번호는 비워 둘 수 없습니다.</translation>
    </message>
    <message>
        <source>No configuration was read from the DVR. Send the default settings anyway?</source>
        <translation>DVR에서 설정을 읽지 않았습니다. 그래도 기본 설정을 전송하시겠습니까?</translation>
    </message>
    <message>
        <source>The transmission error occurred!</source>
        <translation>전송 오류가 발생했습니다!</translation>
    </message>
    <message>
        <source>The DVR configuration is correctly transfered!</source>
        <translation>DVR 설정이 정상적으로 전송되었습니다!</translation>
    </message>
    <message>
        <source>Please select a configuration file.</source>
        <translation>설정 파일을 선택하십시오.</translation>
    </message>
    <message>
        <source>Configs (*.conf)</source>
        <translation>설정 파일 (*.conf)</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened.</source>
        <translation>%1 파일을 열 수 없습니다.</translation>
    </message>
    <message>
        <source>The file %1 is not a DVR configuration.</source>
        <translation>%1 파일은 DVR 설정이 아닙니다.</translation>
    </message>
    <message>
        <source>The file name must end with &quot;.conf&quot;.</source>
        <translation>파일 이름은 &quot;.conf&quot;로 끝나야 합니다.</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>%1 파일에 쓸 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>CTimeLine</name>
    <message>
        <source>Hour</source>
        <translation>시</translation>
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
        <translation>S/W 업그레이드</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>유형</translation>
    </message>
    <message>
        <source>File</source>
        <translation>파일</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>찾아보기...</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>업그레이드</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>파일 선택</translation>
    </message>
    <message>
        <source>All files(*.*)</source>
        <translation>모든 파일(*.*)</translation>
    </message>
    <message>
        <source>The upgrade is failed!</source>
        <translation>업그레이드에 실패했습니다!</translation>
    </message>
    <message>
        <source>The upgrade is completed!</source>
        <translation>업그레이드가 완료되었습니다!</translation>
    </message>
</context>
<context>
    <name>CWaitDialog</name>
    <message>
        <source>Please wait a minute.</source>
        <translation>잠시 기다려 주십시오.</translation>
    </message>
</context>
<context>
    <name>PbButtons</name>
    <message>
        <source>Reverse</source>
        <translation>역재생</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>일시 정지</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>정지</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>재생</translation>
    </message>
    <message>
        <source>Step reverse</source>
        <translation>프레임 뒤로</translation>
    </message>
    <message>
        <source>Step forward</source>
        <translation>프레임 앞으로</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>느리게</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>빠르게</translation>
    </message>
</context>
<context>
    <name>UpLoader</name>
    <message>
        <source>Error: can&apos;t open file %1</source>
        <translation>오류: %1 파일을 열 수 없습니다</translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation>네트워크 오류: %1</translation>
    </message>
</context>
<context>
    <name>Viewer</name>
    <message>
        <source>Save File</source>
        <translation>파일 저장</translation>
    </message>
    <message>
        <source>Text files(*.txt)</source>
        <translation>텍스트 파일(*.txt)</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>%1 파일에 쓸 수 없습니다:
%2.</translation>
    </message>
    <message>
        <source>File saved</source>
        <translation>파일이 저장되었습니다</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>폴더를 선택하십시오.</translation>
    </message>
    <message>
        <source>The image has been saved.</source>
        <translation>이미지가 저장되었습니다.</translation>
    </message>
    <message>
        <source>The image could not be saved.</source>
        <translation>이미지를 저장할 수 없습니다.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>파일 열기</translation>
    </message>
    <message>
        <source>Capture Images (*.png *.jpg)</source>
        <translation>캡처 이미지 (*.png *.jpg)</translation>
    </message>
    <message>
        <source>The backup ended before its end time. The files written so far are in &quot;%1&quot;.</source>
        <translation>백업이 종료 시간 전에 끝났습니다. 지금까지 기록된 파일은 &quot;%1&quot;에 있습니다.</translation>
    </message>
    <message>
        <source>The changes to the DVR list are not saved (%1).</source>
        <translation>DVR 목록의 변경 내용이 저장되지 않았습니다 (%1).</translation>
    </message>
    <message>
        <source>The changes to the e-map list are not saved (%1).</source>
        <translation>E-맵 목록의 변경 내용이 저장되지 않았습니다 (%1).</translation>
    </message>
    <message>
        <source>Close the program all the same? These changes are lost then.</source>
        <translation>그래도 프로그램을 닫으시겠습니까? 이 변경 내용은 잃게 됩니다.</translation>
    </message>
    <message>
        <source>another mode was chosen</source>
        <translation>다른 모드가 선택되었습니다</translation>
    </message>
</context>
<context>
    <name>ViewerClass</name>
    <message>
        <source>Live S</source>
        <translation>단일 라이브</translation>
    </message>
    <message>
        <source>Live M</source>
        <translation>멀티 라이브</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>검색</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>재생</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>백업</translation>
    </message>
    <message>
        <source>E-Map</source>
        <translation>E-맵</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>정보</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>DVR 설정</translation>
    </message>
    <message>
        <source>PC Setup</source>
        <translation>PC 설정</translation>
    </message>
    <message>
        <source>View</source>
        <translation>보기</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>편집</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>나가기</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>열기</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>저장</translation>
    </message>
    <message>
        <source>Setup Model</source>
        <translation>모델 설정</translation>
    </message>
    <message>
        <source>Load Default</source>
        <translation>기본값 불러오기</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>다시 읽기</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>적용</translation>
    </message>
    <message>
        <source>Apply All</source>
        <translation>모두 적용</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>업그레이드</translation>
    </message>
    <message>
        <source>Date &amp;&amp; Time</source>
        <translation>날짜 및 시간</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>리셋</translation>
    </message>
    <message>
        <source>Digital Zoom</source>
        <translation>디지털 줌</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>캡처</translation>
    </message>
    <message>
        <source>PC Record</source>
        <translation>PC 녹화</translation>
    </message>
    <message>
        <source>DVR Record</source>
        <translation>DVR 녹화</translation>
    </message>
</context>
</TS>
