//
// created by NOVRA
//	macro    : transition
//	function : transition modules
//	update   : @TIME@
//

module tran_3(
 i_i1__r_i, i_i1_a_o, i_i1_d_i,
 o_o1__r_o, o_o1_a_i, o_o1_d_o,
 reset
);
input	i_i1__r_i, i_i1_d_i;
output	i_i1_a_o;
input	o_o1_a_i;
output	o_o1__r_o, o_o1_d_o;
input	reset;
wire	i_1__r_i, i_1_d_i, i_1_a_o;
wire	o_1__r_o, o_1_d_o, o_1_a_i;
	wire	req;
	wire	data_1;
	assign	i_1__r_i = i_i1__r_i,
			i_1_d_i = i_i1_d_i,
			i_i1_a_o = i_1_a_o;
	assign	o_o1__r_o = o_1__r_o,
			o_o1_d_o = o_1_d_o,
			o_1_a_i = o_o1_a_i;
	assign	i_1_a_o = req;
	pipe_1_1_r pipe(
		.i_1__r_i(i_1__r_i),
		.req_out(req),
		.o_1_a_i(o_1_a_i),
		.reset(reset)
		);
	DFR	inbuf_1_r(
		.C(req),
		.D(i_1_d_i),
		.Q(data_1),
		.XR(reset)
		);
/* synopsys dc_script_begin
   set_dont_touch {delay_1} 
*/
/* synopsys dc_script_begin
   set_dont_touch {func_1} 
*/
	delay_3_1	delay_1(
		.req_in(req),
		.req_out(o_1__r_o)
		);
	trafunc_1	func_1(
		.i1(data_1),
		.data_out(o_1_d_o)
		);
endmodule

module tran_5(
 i_i1__r_i, i_i1_a_o, i_i1_d_i,
 o_o1__r_o, o_o1_a_i, o_o1_d_o,
 reset
);
input	i_i1__r_i, i_i1_d_i;
output	i_i1_a_o;
input	o_o1_a_i;
output	o_o1__r_o, o_o1_d_o;
input	reset;
wire	i_1__r_i, i_1_d_i, i_1_a_o;
wire	o_1__r_o, o_1_d_o, o_1_a_i;
	wire	req;
	wire	data_1;
	assign	i_1__r_i = i_i1__r_i,
			i_1_d_i = i_i1_d_i,
			i_i1_a_o = i_1_a_o;
	assign	o_o1__r_o = o_1__r_o,
			o_o1_d_o = o_1_d_o,
			o_1_a_i = o_o1_a_i;
	assign	i_1_a_o = req;
	pipe_1_1_r pipe(
		.i_1__r_i(i_1__r_i),
		.req_out(req),
		.o_1_a_i(o_1_a_i),
		.reset(reset)
		);
//	レジスタ削減
	assign data_1 = i_1_d_i;
/* synopsys dc_script_begin
   set_dont_touch {delay_1} 
*/
/* synopsys dc_script_begin
   set_dont_touch {func_1} 
*/
	delay_5_1	delay_1(
		.req_in(req),
		.req_out(o_1__r_o)
		);
	trafunc_2	func_1(
		.i1(data_1),
		.data_out(o_1_d_o)
		);
endmodule

module tran_7(
 i_i1__r_i, i_i1_a_o, i_i1_d_i,
 o_o1__r_o, o_o1_a_i, o_o1_d_o,
 reset
);
input	i_i1__r_i, i_i1_d_i;
output	i_i1_a_o;
input	o_o1_a_i;
output	o_o1__r_o, o_o1_d_o;
input	reset;
wire	i_1__r_i, i_1_d_i, i_1_a_o;
wire	o_1__r_o, o_1_d_o, o_1_a_i;
	wire	req;
	wire	data_1;
	assign	i_1__r_i = i_i1__r_i,
			i_1_d_i = i_i1_d_i,
			i_i1_a_o = i_1_a_o;
	assign	o_o1__r_o = o_1__r_o,
			o_o1_d_o = o_1_d_o,
			o_1_a_i = o_o1_a_i;
	assign	i_1_a_o = req;
	pipe_1_1_r pipe(
		.i_1__r_i(i_1__r_i),
		.req_out(req),
		.o_1_a_i(o_1_a_i),
		.reset(reset)
		);
	DFR	inbuf_1_r(
		.C(req),
		.D(i_1_d_i),
		.Q(data_1),
		.XR(reset)
		);
/* synopsys dc_script_begin
   set_dont_touch {delay_1} 
*/
/* synopsys dc_script_begin
   set_dont_touch {func_1} 
*/
	delay_7_1	delay_1(
		.req_in(req),
		.req_out(o_1__r_o)
		);
	trafunc_1	func_1(
		.i1(data_1),
		.data_out(o_1_d_o)
		);
endmodule
