'iyi kalite ayari ile olusturulmustur'
device = 18f4620
xtal 4
All_Digital = TRUE
Dim sayi As Word
TRISB=0
PORTB=0
DelayMS 500
oku:
For sayi=0 To 25 Step 1 
PORTB=CRead  (ses+sayi)
DelayUS 100
Next
DelayMS 500
GoTo oku
ses:
CDATA  130,135,141,150,162,175,190,205,220,233
CDATA  243,250,255,252,245,234,220,204,187,170
