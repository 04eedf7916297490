#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the fixture machines of the system-figure tests: the files the kernel shows on a
# laptop, a self-built hybrid-core desktop, a virtual machine without DMI or DRM and a
# Raspberry Pi 4. Run it from anywhere; it replaces the folders next to it.
import os, shutil, struct
BASE=os.path.dirname(os.path.abspath(__file__))

def w(root, rel, content, mode=None):
    p=os.path.join(BASE, root, rel)
    os.makedirs(os.path.dirname(p), exist_ok=True)
    if isinstance(content, str): content=content.encode()
    open(p,'wb').write(content)

def edid(mfg, product, name=None, text=None, serial=None, w_=1920, h=1080):
    b=bytearray(128)
    b[0:8]=bytes.fromhex('00ffffffffffff00')
    m=((ord(mfg[0])-64)<<10)|((ord(mfg[1])-64)<<5)|(ord(mfg[2])-64)
    b[8:10]=struct.pack('>H',m); b[10:12]=struct.pack('<H',product)
    b[12:16]=struct.pack('<I',0x01010101); b[16]=12; b[17]=30; b[18]=1; b[19]=4
    b[20]=0xa5; b[21]=60; b[22]=34; b[23]=0x78
    # detailed timing for the preferred mode
    clock=int(w_*h*60*1.2/10000)
    d=bytearray(18); d[0:2]=struct.pack('<H',clock); d[2]=w_&0xff; d[3]=160; d[4]=((w_>>8)<<4)
    d[5]=h&0xff; d[6]=40; d[7]=((h>>8)<<4); b[54:72]=d
    descs=[]
    def disp(tag, s):
        dd=bytearray(18); dd[3]=tag; t=s.encode()[:13]
        if len(t)<13: t=t+b'\n'+b' '*(12-len(t))
        dd[5:18]=t; return dd
    if serial: descs.append(disp(0xff, serial))
    if name: descs.append(disp(0xfc, name))
    if text: descs.append(disp(0xfe, text))
    r=bytearray(18); r[3]=0xfd; r[5:10]=bytes([48,75,30,160,60]); r[10]=0; r[11:18]=b'\n      '
    descs.append(r)
    off=72
    for dd in descs[:3]:
        b[off:off+18]=dd; off+=18
    while off<=108:
        dd=bytearray(18); dd[3]=0x10; b[off:off+18]=dd; off+=18
    b[127]=(-sum(b[:127]))&0xff
    return bytes(b)

def stat_text(ncpu, base):
    lines=[]
    tot=[0]*10
    per=[]
    for i in range(ncpu):
        v=[base+i*17, 3*i+112, base//3+i*5, base*8+i*101, 420+i, 0, 88+i, 0, 0, 0]
        per.append(v); tot=[a+b for a,b in zip(tot,v)]
    lines.append('cpu  '+' '.join(map(str,tot)))
    for i,v in enumerate(per): lines.append('cpu%d '%i+' '.join(map(str,v)))
    lines.append('intr 91823745 9 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0')
    lines.append('ctxt 182736451'); lines.append('btime 1764990000'); lines.append('processes 82341')
    lines.append('procs_running 2'); lines.append('procs_blocked 0'); lines.append('softirq 4387261 0 1203 12 9821 0 0 1123 998231 0 2288')
    return '\n'.join(lines)+'\n'

def meminfo(total, free, avail, buffers, cached, active, inactive, unevict, zswapped=True):
    kb=lambda x: '%8d kB'%x
    f=[('MemTotal',total),('MemFree',free),('MemAvailable',avail),('Buffers',buffers),('Cached',cached),('SwapCached',0),
       ('Active',active),('Inactive',inactive),('Active(anon)',active//3),('Inactive(anon)',inactive//5),('Active(file)',active-active//3),
       ('Inactive(file)',inactive-inactive//5),('Unevictable',unevict),('Mlocked',unevict//2),('SwapTotal',2097148),('SwapFree',2097148)]
    if zswapped: f+=[('Zswap',0),('Zswapped',0)]
    f+=[('Dirty',1204),('Writeback',0),('AnonPages',active//3),('Mapped',412332),('Shmem',212340),('KReclaimable',301232),('Slab',512332),
        ('SReclaimable',301232),('SUnreclaim',211100),('KernelStack',18432),('PageTables',52112),('CommitLimit',total//2+2097148),
        ('Committed_AS',12873320),('VmallocTotal',34359738367),('VmallocUsed',78232),('HugePages_Total',0)]
    out=[]
    for k,v in f:
        if k=='HugePages_Total': out.append('%-16s%8d'%(k+':',v))
        else: out.append('%-16s%s'%(k+':',kb(v)))
    return '\n'.join(out)+'\n'

def cpu_topology(root, cpus):
    # cpus: list of dict(id, pkg, core, siblings, maxfreq, caches=[(level,type,size,shared)])
    online=','.join(str(c['id']) for c in cpus)
    ids=[c['id'] for c in cpus]
    w(root,'sys/devices/system/cpu/online','%d-%d\n'%(min(ids),max(ids)))
    w(root,'sys/devices/system/cpu/possible','%d-%d\n'%(min(ids),max(ids)))
    for c in cpus:
        d='sys/devices/system/cpu/cpu%d/'%c['id']
        if c.get('pkg') is not None:
            w(root,d+'topology/physical_package_id','%d\n'%c['pkg'])
            w(root,d+'topology/core_id','%d\n'%c['core'])
            w(root,d+'topology/core_cpus_list',c['siblings']+'\n')
            w(root,d+'topology/thread_siblings_list',c['siblings']+'\n')
            w(root,d+'topology/package_cpus_list',c['package_list']+'\n')
        if c.get('maxfreq'):
            w(root,d+'cpufreq/cpuinfo_max_freq','%d\n'%c['maxfreq'])
            w(root,d+'cpufreq/cpuinfo_min_freq','%d\n'%c.get('minfreq',400000))
            w(root,d+'cpufreq/scaling_cur_freq','%d\n'%(c['maxfreq']//2))
        for i,(lvl,typ,size,shared) in enumerate(c.get('caches',[])):
            w(root,d+'cache/index%d/level'%i,'%d\n'%lvl)
            w(root,d+'cache/index%d/type'%i,typ+'\n')
            w(root,d+'cache/index%d/size'%i,size+'\n')
            w(root,d+'cache/index%d/shared_cpu_list'%i,shared+'\n')

def x86_cpuinfo(cpus, model, family, modelno, mhz, flags, cores_per_pkg):
    out=[]
    for c in cpus:
        out.append('\n'.join(['processor\t: %d'%c['id'],'vendor_id\t: GenuineIntel','cpu family\t: %d'%family,'model\t\t: %d'%modelno,
            'model name\t: %s'%model,'stepping\t: 2','microcode\t: 0x3a','cpu MHz\t\t: %.3f'%c.get('mhz',mhz),'cache size\t: 12288 KB',
            'physical id\t: %d'%c['pkg'],'siblings\t: %d'%len(cpus),'core id\t\t: %d'%c['core'],'cpu cores\t: %d'%cores_per_pkg,
            'apicid\t\t: %d'%(c['id']*2),'initial apicid\t: %d'%(c['id']*2),'fpu\t\t: yes','fpu_exception\t: yes','cpuid level\t: 27','wp\t\t: yes',
            'flags\t\t: '+flags,'bugs\t\t: spectre_v1 spectre_v2 spec_store_bypass swapgs eibrs_pbrsb','bogomips\t: 5606.40',
            'clflush size\t: 64','cache_alignment\t: 64','address sizes\t: 39 bits physical, 48 bits virtual','power management:'])+'\n')
    return '\n'.join(out)+'\n'

X86FLAGS='fpu vme de pse tsc msr pae mce cx8 apic sep mtrr pge mca cmov pat pse36 clflush dts acpi mmx fxsr sse sse2 ss ht tm pbe syscall nx pdpe1gb rdtscp lm constant_tsc art arch_perfmon pebs bts rep_good nopl xtopology nonstop_tsc cpuid aperfmperf tsc_known_freq pni pclmulqdq dtes64 monitor ds_cpl vmx est tm2 ssse3 sdbg fma cx16 xtpr pdcm pcid sse4_1 sse4_2 x2apic movbe popcnt tsc_deadline_timer aes xsave avx f16c rdrand lahf_lm abm 3dnowprefetch cpuid_fault epb avx512f avx512dq rdseed adx smap avx512ifma clflushopt clwb intel_pt avx512cd sha_ni avx512bw avx512vl xsaveopt xsavec xgetbv1 xsaves'

def etc(root, osrel, machine_id, extra={}):
    w(root,'etc/os-release',osrel)
    w(root,'etc/machine-id',machine_id+'\n')
    for k,v in extra.items(): w(root,'etc/'+k,v)

def dmi(root, fields):
    for k,v in fields.items(): w(root,'sys/class/dmi/id/'+k, v+'\n')

def drm(root, card, uevent, connectors):
    w(root,'sys/class/drm/%s/device/uevent'%card, uevent)
    w(root,'sys/class/drm/%s/dev'%card, '226:%s\n'%card[4:])
    for name,status,modes,ed in connectors:
        d='sys/class/drm/%s-%s/'%(card,name)
        w(root,d+'status',status+'\n'); w(root,d+'enabled',('enabled' if status=='connected' else 'disabled')+'\n')
        w(root,d+'modes',''.join(m+'\n' for m in modes)); w(root,d+'edid',ed or b''); w(root,d+'dpms','On\n')


for case in ("laptop", "desktop-hybrid", "vm-nodmi", "arm-board"):
    shutil.rmtree(os.path.join(BASE, case), ignore_errors=True)

# ---- laptop: ThinkPad X1 Carbon Gen 9, i7-1165G7, 4 cores / 8 threads
R='laptop'
cpus=[]
for i in range(8):
    core=i%4
    cpus.append(dict(id=i,pkg=0,core=core,siblings='%d,%d'%(core,core+4),package_list='0-7',maxfreq=4700000,
        caches=[(1,'Data','48K','%d,%d'%(core,core+4)),(1,'Instruction','32K','%d,%d'%(core,core+4)),(2,'Unified','1280K','%d,%d'%(core,core+4)),(3,'Unified','12288K','0-7')]))
cpu_topology(R,cpus)
w(R,'proc/cpuinfo',x86_cpuinfo(cpus,'11th Gen Intel(R) Core(TM) i7-1165G7 @ 2.80GHz',6,140,1198.765,X86FLAGS,4))
w(R,'proc/stat',stat_text(8,182734))
w(R,'proc/meminfo',meminfo(16063220,812344,10498232,402112,9213308,5123304,8213432,132))
w(R,'proc/sys/kernel/hostname','x1carbon\n')
w(R,'sys/devices/system/memory/block_size_bytes','8000000\n')
for i in list(range(0,24))+list(range(32,136)):
    w(R,'sys/devices/system/memory/memory%d/online'%i,'1\n')
    w(R,'sys/devices/system/memory/memory%d/state'%i,'online\n')
w(R,'sys/devices/system/memory/auto_online_blocks','online\n')
dmi(R,dict(sys_vendor='LENOVO',product_name='20XW0055GE',product_version='ThinkPad X1 Carbon Gen 9',product_family='ThinkPad X1 Carbon Gen 9',
    product_sku='LENOVO_MT_20XW_BU_Think_FM_ThinkPad X1 Carbon Gen 9',product_serial='PF2XK7QM',product_uuid='4c4c4544-0051-3510-8039-b4c04f4b4d32',
    board_vendor='LENOVO',board_name='20XW0055GE',board_serial='L1HF16J008P',bios_vendor='LENOVO',bios_version='N32ET75W (1.51 )',bios_date='09/27/2021',
    chassis_type='10',chassis_vendor='LENOVO',chassis_serial='PF2XK7QM',modalias='dmi:bvnLENOVO:bvrN32ET75W(1.51):bd09/27/2021:svnLENOVO:pn20XW0055GE:'))
drm(R,'card0','DRIVER=i915\nPCI_CLASS=30000\nPCI_ID=8086:9A49\nPCI_SUBSYS_ID=17AA:22D8\nPCI_SLOT_NAME=0000:00:02.0\nMODALIAS=pci:v00008086d00009A49sv000017AAsd000022D8bc03sc00i00\n',
    [('eDP-1','connected',['1920x1200','1920x1080','1600x1200','1280x1024'],edid('LEN',0x40a9,text='LP140WU1-SPB1')),
     ('DP-1','connected',['3840x2160','2560x1440','1920x1080'],edid('DEL',0xa0f4,name='DELL U2720Q',serial='8K2H1D3',w_=3840,h=2160)),
     ('DP-2','disconnected',[],None),('HDMI-A-1','disconnected',[],None)])
etc(R,'PRETTY_NAME="Ubuntu 24.04.1 LTS"\nNAME="Ubuntu"\nVERSION_ID="24.04"\nVERSION="24.04.1 LTS (Noble Numbat)"\nVERSION_CODENAME=noble\nID=ubuntu\nID_LIKE=debian\nHOME_URL="https://www.ubuntu.com/"\nUBUNTU_CODENAME=noble\nLOGO=ubuntu-logo\n',
    'b7e1c2a94f0d4e6d8a3f5c1e2d9b7a60',{'hostname':'x1carbon\n','debian_version':'trixie/sid\n','machine-info':'PRETTY_HOSTNAME="Ana\'s ThinkPad"\nCHASSIS=laptop\n'})

# ---- desktop: self-built, i5-12600K hybrid (6 P-cores with two threads, 4 E-cores), two monitors on a Radeon
R='desktop-hybrid'
cpus=[]
for i in range(12):
    core=i//2
    cpus.append(dict(id=i,pkg=0,core=core*4,siblings='%d-%d'%(core*2,core*2+1),package_list='0-15',maxfreq=4900000,
        caches=[(1,'Data','48K','%d-%d'%(core*2,core*2+1)),(1,'Instruction','32K','%d-%d'%(core*2,core*2+1)),(2,'Unified','1280K','%d-%d'%(core*2,core*2+1)),(3,'Unified','20480K','0-15')]))
for i in range(12,16):
    cpus.append(dict(id=i,pkg=0,core=24+i-12,siblings='%d'%i,package_list='0-15',maxfreq=3600000,
        caches=[(1,'Data','32K','%d'%i),(1,'Instruction','64K','%d'%i),(2,'Unified','2048K','12-15'),(3,'Unified','20480K','0-15')]))
cpu_topology(R,cpus)
w(R,'sys/devices/cpu_core/cpus','0-11\n'); w(R,'sys/devices/cpu_atom/cpus','12-15\n')
w(R,'proc/cpuinfo',x86_cpuinfo(cpus,'12th Gen Intel(R) Core(TM) i5-12600K',6,151,800.0,X86FLAGS,10))
w(R,'proc/stat',stat_text(16,903411))
w(R,'proc/meminfo',meminfo(32630092,18203320,27331204,1203304,8812332,4412304,9923004,2048))
w(R,'proc/sys/kernel/hostname','forge\n')
dmi(R,dict(sys_vendor='System manufacturer',product_name='System Product Name',product_version='System Version',product_serial='System Serial Number',
    product_uuid='a3f1e62c-8a4d-11ed-9c55-047c16d2e8b1',board_vendor='ASUSTeK COMPUTER INC.',board_name='PRIME Z690-P D4',board_version='Rev 1.xx',
    board_serial='210912345600123',bios_vendor='American Megatrends Inc.',bios_version='2803',bios_date='04/27/2023',chassis_type='3',
    chassis_vendor='Default string',chassis_serial='Default string'))
drm(R,'card0','DRIVER=amdgpu\nPCI_CLASS=30000\nPCI_ID=1002:73DF\nPCI_SUBSYS_ID=1DA2:E445\nPCI_SLOT_NAME=0000:03:00.0\n',
    [('DP-1','connected',['3840x2160','2560x1440','1920x1080'],edid('DEL',0xa0f4,name='DELL U2720Q',serial='8K2H1D3',w_=3840,h=2160)),
     ('DP-2','disconnected',[],None),
     ('HDMI-A-1','connected',['2560x1440','1920x1080','1280x720'],edid('GSM',0x5b7f,name='LG ULTRAGEAR',w_=2560,h=1440))])
drm(R,'card1','DRIVER=i915\nPCI_CLASS=30000\nPCI_ID=8086:4680\nPCI_SLOT_NAME=0000:00:02.0\n',[('HDMI-A-2','disconnected',[],None)])
etc(R,'NAME="Fedora Linux"\nVERSION="40 (Workstation Edition)"\nID=fedora\nVERSION_ID=40\nVERSION_CODENAME=""\nPLATFORM_ID="platform:f40"\nPRETTY_NAME="Fedora Linux 40 (Workstation Edition)"\nANSI_COLOR="0;38;2;60;110;180"\nCPE_NAME="cpe:/o:fedoraproject:fedora:40"\nVARIANT="Workstation Edition"\nVARIANT_ID=workstation\n',
    '0f3e9b2d6c1a48e5b7d4a2c9e1f06b38',{'hostname':'forge\n'})

# ---- virtual machine without DMI or DRM, and without topology directories
R='vm-nodmi'
cpus=[dict(id=i,pkg=0,core=i) for i in range(2)]
w(R,'sys/devices/system/cpu/online','0-1\n'); w(R,'sys/devices/system/cpu/possible','0-1\n')
for i in range(2): w(R,'sys/devices/system/cpu/cpu%d/uevent'%i,'DRIVER=processor\nMODALIAS=cpu:type:x86,ven0000fam0006mod00CF:feature:,0000\n')
w(R,'proc/cpuinfo',x86_cpuinfo(cpus,'Intel(R) Xeon(R) Processor',6,207,2299.998,X86FLAGS+' hypervisor avx512_fp16',2))
w(R,'proc/stat',stat_text(2,4779))
w(R,'proc/meminfo',meminfo(24683784,24347848,24338700,2188,172940,70656,102496,16976))
w(R,'proc/sys/kernel/hostname','vm\n')
etc(R,'PRETTY_NAME="Debian GNU/Linux 12 (bookworm)"\nNAME="Debian GNU/Linux"\nVERSION_ID="12"\nVERSION="12 (bookworm)"\nVERSION_CODENAME=bookworm\nID=debian\nHOME_URL="https://www.debian.org/"\n',
    '3d1219c7c4c5404aaa1f6d2a48adfda4',{'hostname':'vm\n','debian_version':'12.11\n'})

# ---- ARM board: Raspberry Pi 4 Model B, device tree, arm64 cpuinfo
R='arm-board'
cpus=[dict(id=i,pkg=-1,core=i,siblings='%d'%i,package_list='%d'%i,maxfreq=1800000,minfreq=600000) for i in range(4)]
cpu_topology(R,cpus)
blocks=[]
for i in range(4):
    blocks.append('processor\t: %d\nBogoMIPS\t: 108.00\nFeatures\t: fp asimd evtstrm crc32 cpuid\nCPU implementer\t: 0x41\nCPU architecture: 8\nCPU variant\t: 0x0\nCPU part\t: 0xd08\nCPU revision\t: 3\n'%i)
w(R,'proc/cpuinfo','\n'.join(blocks)+'\nHardware\t: BCM2835\nRevision\t: c03114\nSerial\t\t: 10000000a3b4c5d6\nModel\t\t: Raspberry Pi 4 Model B Rev 1.4\n')
w(R,'proc/stat',stat_text(4,51234))
w(R,'proc/meminfo',meminfo(3885424,2201332,3112204,61232,901232,612304,701232,0,zswapped=False))
w(R,'proc/sys/kernel/hostname','raspberrypi\n')
w(R,'proc/device-tree/model','Raspberry Pi 4 Model B Rev 1.4\0')
w(R,'proc/device-tree/compatible','raspberrypi,4-model-b\0brcm,bcm2711\0')
w(R,'proc/device-tree/serial-number','10000000a3b4c5d6\0')
w(R,'proc/device-tree/#address-cells',b'\0\0\0\x02')
drm(R,'card0','DRIVER=v3d\nOF_NAME=v3d\nOF_FULLNAME=/v3dbus/v3d@7ec04000\nOF_COMPATIBLE_0=brcm,2711-v3d\nOF_COMPATIBLE_N=1\n',[])
drm(R,'card1','DRIVER=vc4-drm\nOF_NAME=gpu\nOF_FULLNAME=/gpu\nOF_COMPATIBLE_0=brcm,bcm2711-vc5\nOF_COMPATIBLE_N=1\n',
    [('HDMI-A-1','connected',['1920x1080','1680x1050','1280x1024','1280x720'],edid('DEL',0xa0d3,name='DELL P2419H',serial='CFV9N93',w_=1920,h=1080)),
     ('HDMI-A-2','disconnected',[],None),('Composite-1','unknown',[],None)])
etc(R,'PRETTY_NAME="Debian GNU/Linux 12 (bookworm)"\nNAME="Debian GNU/Linux"\nVERSION_ID="12"\nVERSION="12 (bookworm)"\nVERSION_CODENAME=bookworm\nID=debian\nHOME_URL="https://www.debian.org/"\n',
    'c0ffee00d15ea5e0b0a7f00dfeedface',{'hostname':'raspberrypi\n','debian_version':'12.5\n'})
